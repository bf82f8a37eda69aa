// Where the engine puts a browser's window when its parent's native window
// was made anew between the request and the creation.
#include "ChainClient.h"
#include "ChainEngine.h"
#include "LoopbackHttpServer.h"

#include <algorithm>

#include <QMutex>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

// A top-level window whose native window can be made anew, with those of its
// children: what Qt does when the first view drawn through the graphics
// hardware enters a window that was drawn in software until then.
class RecreatableWindow : public QWidget {
public:
    void recreate() {
        destroy(true, true);
        create();
    }
};

QWidget* nativePanel(QWidget& window, const QRect& place) {
    auto* panel = new QWidget(&window);
    panel->setAttribute(Qt::WA_NativeWindow);
    panel->setGeometry(place);
    return panel;
}

void requestBrowser(QWidget* panel, const std::shared_ptr<ChainClient>& client,
                    const QString& url) {
    cef::CefFactory& factory = ChainEngine::factory();
    auto windowInfo = factory.createWindowInfo();
    auto settings = factory.createBrowserSettings();
    ASSERT_TRUE(windowInfo && settings);
    windowInfo->setChild(panel, cef::CefRect(0, 0, panel->width(), panel->height()));
    factory.createBrowser(windowInfo, client, url, settings);
    windowInfo->dispose();
    settings->dispose();
}

void closeBrowser(const std::shared_ptr<ChainClient>& client) {
    auto browser = client->browser();
    if (!browser)
        return;
    browser->close();
    ChainEngine::waitFor([&client] { return client->has(QStringLiteral("close")); });
    browser->dispose();
}

TEST(BrowserPlacement, BrowsersAskedForBackToBackLandInTheirPanelsThoughTheWindowWasMadeAnew) {
    ChainEngine::factory();
    LoopbackHttpServer server;
    server.route("/", {200, "text/html", "<html><body>placed</body></html>", {}});
    const QString url = QString::fromStdString(server.url("/"));
    RecreatableWindow window;
    window.resize(800, 600);
    QWidget* top = nativePanel(window, QRect(0, 0, 800, 400));
    QWidget* strip = nativePanel(window, QRect(0, 400, 800, 200));
    window.show();

    auto stripClient = std::make_shared<ChainClient>();
    auto topClient = std::make_shared<ChainClient>();
    requestBrowser(strip, stripClient, url);
    requestBrowser(top, topClient, url);
    // Both requests carry the panels' window ids of now; the window is made
    // anew before the engine comes to place the browsers.
    const WId stripId = strip->winId();
    const WId topId = top->winId();
    window.recreate();
    ASSERT_NE(strip->winId(), stripId);
    ASSERT_NE(top->winId(), topId);

    ASSERT_TRUE(
        ChainEngine::waitFor([&] { return stripClient->browser() && topClient->browser(); }));
    const QWidget* stripView =
        QWidget::find(static_cast<WId>(stripClient->browser()->getWindowHandle()));
    const QWidget* topView =
        QWidget::find(static_cast<WId>(topClient->browser()->getWindowHandle()));
    ASSERT_TRUE(stripView && topView);
    EXPECT_EQ(stripView->parentWidget(), strip);
    EXPECT_EQ(topView->parentWidget(), top);
    EXPECT_FALSE(topView->isWindow()) << "the browser opened in a window of its own";
    closeBrowser(stripClient);
    closeBrowser(topClient);
}

// Collects the program's warnings and notes while it lives.
class MessageLog {
public:
    MessageLog() {
        current = this;
        previous = qInstallMessageHandler(&MessageLog::record);
    }
    ~MessageLog() {
        qInstallMessageHandler(previous);
        current = nullptr;
    }
    bool contains(const QString& text) const {
        QMutexLocker locker(&lock);
        return std::any_of(lines.begin(), lines.end(),
                           [&text](const QString& line) { return line.contains(text); });
    }

private:
    static void record(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (MessageLog* log = current) {
            QMutexLocker locker(&log->lock);
            log->lines.append(text);
        }
        if (previous)
            previous(type, context, text);
    }

    static inline MessageLog* current = nullptr;
    static inline QtMessageHandler previous = nullptr;
    mutable QMutex lock;
    QStringList lines;
};

// The panel a browser was asked for is gone before the engine places the
// browser: it opens in a window of its own, and the log says why.
TEST(BrowserPlacement, ABrowserWhosePanelWentOpensAloneAndTheLogSaysSo) {
    ChainEngine::factory();
    LoopbackHttpServer server;
    server.route("/", {200, "text/html", "<html><body>alone</body></html>", {}});
    QWidget window;
    window.resize(400, 300);
    QWidget* panel = nativePanel(window, QRect(0, 0, 400, 300));
    window.show();
    const auto panelId = static_cast<unsigned long long>(panel->winId());

    MessageLog log;
    auto client = std::make_shared<ChainClient>();
    requestBrowser(panel, client, QString::fromStdString(server.url("/")));
    delete panel;

    ASSERT_TRUE(ChainEngine::waitFor([&] { return client->browser() != nullptr; }));
    const QWidget* view = QWidget::find(static_cast<WId>(client->browser()->getWindowHandle()));
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->isWindow());
    EXPECT_TRUE(log.contains(QStringLiteral("parent window 0x%1 not found; the browser opens in "
                                            "a window of its own")
                                 .arg(panelId, 0, 16)));
    closeBrowser(client);
}

} // namespace
} // namespace plenfox::test
