// The client's browser control on the whole chain: which browsers it keeps,
// which it closes, and what it loads, with real browsers offscreen.
#include "ChainEngine.h"
#include "LoopbackHttpServer.h"
#include "browser/wrapper/CefClientAdapter.h"
#include "browser/wrapper/CefDisposingHandlerAdapter.h"
#include "browser/wrapper/CefFrame.h"
#include "client/ui/BrowserControl.h"

#include <QWidget>
#include <gtest/gtest.h>

#include <mutex>

namespace plenfox::test {
namespace {

using client::ui::BrowserControl;

// An inner client that lets popups open and records main-frame loads and the
// browsers it hears of.
class RecordingInnerClient final : public cef::CefClientAdapter,
                                   public cef::CefDisposingHandlerAdapter {
public:
    struct Load {
        QString url;
        bool popup = false;
    };

    std::shared_ptr<cef::CefLifeSpanHandler> getLifeSpanHandler() override { return self(); }
    std::shared_ptr<cef::CefLoadHandler> getLoadHandler() override { return self(); }
    std::shared_ptr<cef::CefRequestHandler> getRequestHandler() override { return self(); }

    bool onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                       std::shared_ptr<cef::CefPopupFeatures>, std::shared_ptr<cef::CefWindowInfo>,
                       QString, std::shared_ptr<cef::CefClientBox>,
                       std::shared_ptr<cef::CefBrowserSettings>) override {
        release(parent);
        return false;
    }
    void onAfterCreated(std::shared_ptr<cef::CefBrowser> browser) override {
        std::lock_guard guard(lock);
        (browser->isPopup() ? popupsCreated : browsersCreated) += 1;
        if (!browser->isPopup())
            controlsBrowser = browser; // one the handler cannot release
    }
    void onBeforeClose(std::shared_ptr<cef::CefBrowser> browser) override {
        {
            std::lock_guard guard(lock);
            (browser->isPopup() ? popupsClosed : browsersClosed) += 1;
        }
        CefDisposingHandlerAdapter::onBeforeClose(std::move(browser));
    }
    void onLoadEnd(std::shared_ptr<cef::CefBrowser> browser, std::shared_ptr<cef::CefFrame> frame,
                   std::int32_t status) override {
        if (frame && frame->isMain()) {
            std::lock_guard guard(lock);
            loads.push_back({frame->getURL(), browser->isPopup()});
        }
        CefDisposingHandlerAdapter::onLoadEnd(std::move(browser), std::move(frame), status);
    }

    // The main-frame loads of the control's browsers (not of popups).
    QStringList controlLoads() const {
        std::lock_guard guard(lock);
        QStringList urls;
        for (const Load& load : loads)
            if (!load.popup)
                urls << load.url;
        return urls;
    }
    bool popupLoaded(const QString& url) const {
        std::lock_guard guard(lock);
        for (const Load& load : loads)
            if (load.popup && load.url == url)
                return true;
        return false;
    }
    int count(const int RecordingInnerClient::*field) const {
        std::lock_guard guard(lock);
        return this->*field;
    }

    std::shared_ptr<cef::CefBrowser> browser() const {
        std::lock_guard guard(lock);
        return controlsBrowser;
    }

    int browsersCreated = 0;
    int browsersClosed = 0;
    int popupsCreated = 0;
    int popupsClosed = 0;

private:
    std::shared_ptr<RecordingInnerClient> self() {
        return std::dynamic_pointer_cast<RecordingInnerClient>(shared_from_this());
    }

    mutable std::mutex lock;
    std::vector<Load> loads;
    std::shared_ptr<cef::CefBrowser> controlsBrowser;
};

class BrowserControlChain : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* page : {"/a.html", "/b.html", "/c.html", "/popup.html"})
            server.route(page, {200, "text/html", "<html><body>page</body></html>", {}});
        window.resize(800, 600);
        control = new BrowserControl(ChainEngine::factory(), &window);
        control->setGeometry(0, 0, 800, 600);
        window.show();
    }

    void TearDown() override {
        const int open = inner->count(&RecordingInnerClient::browsersCreated) -
                         inner->count(&RecordingInnerClient::browsersClosed);
        control->dispose();
        ChainEngine::waitFor([&] {
            return inner->count(&RecordingInnerClient::browsersClosed) >=
                   inner->count(&RecordingInnerClient::browsersCreated);
        });
        EXPECT_LE(open, 1) << "the control had more than one browser open";
    }

    QString url(const char* path) const { return QString::fromStdString(server.url(path)); }

    // The browser windows shown inside the control.
    int viewsShown() const {
        int shown = 0;
        for (QWidget* child : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            shown += child->isHidden() ? 0 : 1;
        return shown;
    }

    bool loadedLast(const QString& address) const {
        const QStringList loads = inner->controlLoads();
        return !loads.isEmpty() && loads.last() == address;
    }

    LoopbackHttpServer server;
    QWidget window;
    BrowserControl* control = nullptr;
    std::shared_ptr<RecordingInnerClient> inner = std::make_shared<RecordingInnerClient>();
};

TEST_F(BrowserControlChain, GoingTwiceLeavesOneBrowserInThePanel) {
    control->go(url("/a.html"), inner);
    control->go(url("/b.html"), inner);
    ASSERT_TRUE(ChainEngine::waitFor([&] {
        return loadedLast(url("/b.html")) &&
               inner->count(&RecordingInnerClient::browsersClosed) == 1 && viewsShown() == 1;
    })) << "shown "
        << viewsShown() << ", loads " << inner->controlLoads().join(' ').toStdString();

    control->go(url("/c.html"), inner);
    ASSERT_TRUE(ChainEngine::waitFor([&] {
        return loadedLast(url("/c.html")) &&
               inner->count(&RecordingInnerClient::browsersClosed) == 2 && viewsShown() == 1;
    })) << "shown "
        << viewsShown();
    EXPECT_TRUE(control->hasBrowser());
}

TEST_F(BrowserControlChain, AnAddressAskedForBeforeTheBrowserArrivesIsLoadedAfterIt) {
    control->go(url("/a.html"), inner);
    control->navigate(url("/b.html"));
    ASSERT_TRUE(ChainEngine::waitFor([&] { return loadedLast(url("/b.html")); }))
        << inner->controlLoads().join(' ').toStdString();
    // Nothing loads after it: the go address does not come back.
    ChainEngine::waitFor([] { return false; }, 500);
    EXPECT_TRUE(loadedLast(url("/b.html")));
}

TEST_F(BrowserControlChain, APopupTheInnerClientAllowsDoesNotReplaceTheControlsBrowser) {
    control->go(url("/a.html"), inner);
    ASSERT_TRUE(ChainEngine::waitFor([&] { return loadedLast(url("/a.html")); }));
    auto frame = inner->browser()->getMainFrame();
    ASSERT_TRUE(frame);
    frame->executeJavaScript(
        QStringLiteral("window.open('") + url("/popup.html") + QStringLiteral("')"), QString(), 0);
    frame->dispose();
    ASSERT_TRUE(ChainEngine::waitFor([&] { return inner->popupLoaded(url("/popup.html")); }));
    EXPECT_EQ(inner->count(&RecordingInnerClient::popupsCreated), 1);
    EXPECT_EQ(viewsShown(), 1);
    EXPECT_EQ(inner->count(&RecordingInnerClient::browsersClosed), 0);
    EXPECT_TRUE(loadedLast(url("/a.html")));
    // Its owner closes it when the control goes.
    control->dispose();
    EXPECT_TRUE(ChainEngine::waitFor(
        [&] { return inner->count(&RecordingInnerClient::popupsClosed) == 1; }));
}

} // namespace
} // namespace plenfox::test
