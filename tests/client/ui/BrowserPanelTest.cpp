// The "Web" tab's handlers without an engine: fake browsers and frames stand
// in for the engine's objects, as the bridge hands them over.
#include "client/ui/BrowserPanel.h"
#include "browser/wrapper/CefDownloadHandlerBox.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefRequest.h"
#include "client/model/Client.h"
#include "browser/wrapper/CefStringBox.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/ui/AdControlAdapter.h"
#include "client/ui/BrowserControl.h"
#include "client/ui/BrowserPanelHandler.h"
#include "client/ui/DownloadPanel.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/NonDisposableBrowser.h"
#include "tests/browser/wrapper/FakeCefObjects.h"
#include "tests/client/ui/UiTestSupport.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

using client::ui::BrowserPanelHandler;
using client::ui::MessageBoxes;

class BrowserPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto setup = sandbox.setup();
        setup.factory = &sandbox.factory;
        frame = sandbox.startWindow(std::move(setup));
        handler = frame->getBrowserPanel()->getHandler();
    }

    WindowSandbox sandbox;
    std::unique_ptr<client::ui::MainFrame> frame;
    std::shared_ptr<BrowserPanelHandler> handler;
};

TEST_F(BrowserPanelTest, AcceptedZipGoesToTheDownloadsTabAndRefusedFilesAreExplained) {
    frame->tabs()->setCurrentIndex(0);
    auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/page.html"));
    auto box = std::make_shared<cef::CefDownloadHandlerBox>();
    ASSERT_TRUE(handler->getDownloadHandler(browser, QStringLiteral("application/zip"),
                                            QStringLiteral("Pack.zip"), 3, box));
    ASSERT_TRUE(box->getValue());
    EXPECT_EQ(browser->disposed, 1);
    EXPECT_EQ(browser->frame->disposed, 1);
    QByteArray bytes("abc");
    ASSERT_TRUE(box->getValue()->receivedData(std::as_bytes(std::span(bytes))));
    box->getValue()->complete();
    ASSERT_TRUE(waitFor([this] { return frame->tabs()->currentIndex() == 2; }));
    EXPECT_EQ(readFile(sandbox.dataFolder() / "downloads" / "Pack.zip"), QByteArray("abc"));
    EXPECT_TRUE(
        sandbox.env.logContains(QStringLiteral(".getDownloadHandler(application/zip,Pack.zip,3)")));
    EXPECT_TRUE(
        sandbox.env.logContains(QStringLiteral(".getDownloadHandler: url[http://site/page.html]")));

    MessageBoxes::clearHistory();
    auto pdf = std::make_shared<FakeBrowser>(QStringLiteral("http://site/page.html"));
    auto refused = std::make_shared<cef::CefDownloadHandlerBox>();
    EXPECT_FALSE(handler->getDownloadHandler(pdf, QStringLiteral("application/pdf"),
                                             QStringLiteral("guide.pdf"), 1234, refused));
    EXPECT_FALSE(refused->getValue());
    ASSERT_TRUE(waitFor([] { return MessageBoxes::last().has_value(); }));
    EXPECT_EQ(MessageBoxes::last()->title, QStringLiteral("Can't download that file."));
    EXPECT_EQ(MessageBoxes::last()->text,
              QStringLiteral("Plenfox Client can't take this download: it is not a zip file (its "
                             "type is application/pdf).\n\nTry this page in your usual web "
                             "browser instead. (Type=[application/pdf] Size=[1234])"));
    EXPECT_TRUE(sandbox.env.logContains(
        QStringLiteral(".getDownloadHandler: unable to recognize [application/pdf] [guide.pdf]")));
}

TEST_F(BrowserPanelTest, PopupsOpenInTheOwnBrowserAndToolbarFollowsMainFrameLoads) {
    auto parent = std::make_shared<FakeBrowser>(QStringLiteral("http://site/"));
    EXPECT_TRUE(handler->onBeforePopup(parent, nullptr, nullptr,
                                       QStringLiteral("http://site/popup.html"), nullptr, nullptr));
    EXPECT_EQ(parent->disposed, 1);
    EXPECT_EQ(sandbox.opener->opened(), QStringList{QStringLiteral("http://site/popup.html")});

    client::ui::BrowserPanel* panel = frame->getBrowserPanel();
    auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/second.html"));
    browser->back = true;
    handler->onLoadStart(browser, browser->frame);
    ASSERT_TRUE(waitFor([panel] { return panel->getCancelButton()->isEnabled(); }));
    EXPECT_TRUE(panel->getBackButton()->isEnabled());
    EXPECT_FALSE(panel->getForwardButton()->isEnabled());
    EXPECT_EQ(panel->getUrlField()->text(), QStringLiteral("http://site/second.html"));
    EXPECT_FALSE(panel->getGoButton()->isEnabled());

    browser->back = false;
    browser->forward = true;
    handler->onLoadEnd(browser, browser->frame, 200);
    ASSERT_TRUE(waitFor([panel] { return !panel->getCancelButton()->isEnabled(); }));
    EXPECT_FALSE(panel->getBackButton()->isEnabled());
    EXPECT_TRUE(panel->getForwardButton()->isEnabled());

    // Inner frames and popups leave the toolbar alone.
    auto inner = std::make_shared<FakeFrame>(QStringLiteral("http://ads/"), false);
    browser->back = true;
    handler->onLoadStart(browser, inner);
    QCoreApplication::processEvents();
    EXPECT_FALSE(panel->getBackButton()->isEnabled());
    EXPECT_FALSE(panel->getCancelButton()->isEnabled());
    EXPECT_GE(inner->disposed, 1);

    auto request = std::make_shared<FakeRequest>(QStringLiteral("http://site/next.html"));
    EXPECT_FALSE(handler->onBeforeBrowse(browser, browser->frame, request,
                                         cef::CefNavigationType::LINKCLICKED, false));
    EXPECT_EQ(request->disposed, 1);
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral(".onBeforeBrowse(http://site/next.html)")));
}

TEST_F(BrowserPanelTest, DownloadHandlerLetGoOfBeforeCompleteFailsItsDownload) {
    // The engine lets go of the handler of a transfer that ended early.
    auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/page.html"));
    auto box = std::make_shared<cef::CefDownloadHandlerBox>();
    ASSERT_TRUE(handler->getDownloadHandler(browser, QStringLiteral("application/zip"),
                                            QStringLiteral("Cut.zip"), -1, box));
    QByteArray bytes("PK half");
    ASSERT_TRUE(box->getValue()->receivedData(
        std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size())))));
    auto manager = frame->getClient()->getDownloadManager();
    ASSERT_EQ(manager->getDownloads().size(), 1u);
    box->setValue(nullptr);
    box.reset();
    EXPECT_TRUE(manager->getDownloads().empty());
    EXPECT_TRUE(std::filesystem::is_empty(sandbox.dataFolder() / "downloads"));
}

TEST_F(BrowserPanelTest, HandlersNeverReleaseTheControlsBrowser) {
    auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/"));
    client::ui::NonDisposableBrowser shared(browser);
    shared.dispose();
    shared.close();
    EXPECT_EQ(browser->disposed, 0);
    EXPECT_EQ(browser->closed, 0);
    shared.stopLoad();
    EXPECT_EQ(browser->stopped, 1);

    // The control keeps the browser and releases it once, when disposed.
    client::ui::BrowserControl* control = frame->getBrowserPanel()->getBrowserControl();
    control->setBrowser(browser);
    control->navigate(QStringLiteral("http://site/typed.html"));
    EXPECT_EQ(browser->frame->loaded, QStringList{QStringLiteral("http://site/typed.html")});
    control->dispose();
    EXPECT_EQ(browser->parentClosed, 1);
    EXPECT_EQ(browser->closed, 1) << "closed while the engine still runs";
    EXPECT_TRUE(browser->closedBeforeDisposed);
    EXPECT_EQ(browser->disposed, 1);
    control->dispose();
    EXPECT_EQ(browser->disposed, 1);
}

TEST_F(BrowserPanelTest, AdvertisementLinksOpenInTheOwnBrowser) {
    auto ad = std::make_shared<client::ui::AdControlAdapter>(sandbox.opener);
    auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/appad.html"));
    auto click = std::make_shared<FakeRequest>(QStringLiteral("http://site/offer.html"));
    EXPECT_FALSE(ad->onBeforeBrowse(browser, browser->frame, click,
                                    cef::CefNavigationType::LINKCLICKED, false));
    auto load = std::make_shared<FakeRequest>(QStringLiteral("http://site/appad.html"));
    ad->onBeforeBrowse(browser, browser->frame, load, cef::CefNavigationType::OTHER, false);
    EXPECT_EQ(sandbox.opener->opened(), QStringList{QStringLiteral("http://site/offer.html")});
    EXPECT_TRUE(sandbox.env.logContains(
        QStringLiteral(".onBeforeBrowse(http://site/offer.html,LINKCLICKED,main:true)")));
    EXPECT_TRUE(ad->onBeforePopup(browser, nullptr, nullptr, QStringLiteral("http://site/pop"),
                                  nullptr, nullptr));
    EXPECT_EQ(sandbox.opener->opened().size(), 2);
}

// A page can start a download from a script, without any click (a timer,
// an advertisement): only a download that follows the player's own input in
// the "Web" tab is installed at once; the others wait in the list.
TEST_F(BrowserPanelTest, OnlyADownloadThePlayerAskedForIsInstalledAtOnce) {
    const std::filesystem::path data = std::filesystem::path(PLENFOX_TEST_DATA_DIR) / "recognizer";
    const auto download = [this](const QString& name, const QByteArray& bytes) {
        auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/timer.html"));
        auto box = std::make_shared<cef::CefDownloadHandlerBox>();
        EXPECT_TRUE(handler->getDownloadHandler(browser, QStringLiteral("application/zip"), name,
                                                bytes.size(), box));
        EXPECT_TRUE(box->getValue()->receivedData(
            std::as_bytes(std::span(bytes.constData(), std::size_t(bytes.size())))));
        box->getValue()->complete();
    };
    auto* downloads = frame->findChild<QTableView*>(QStringLiteral("downloadsTable"));
    const auto details = [downloads](int row) {
        return downloads->model()->index(row, 4).data().toString();
    };

    // Nothing pressed in the page: the download waits.
    download(QStringLiteral("Solo-1.0.zip"), readFile(data / "Solo-1.0.zip"));
    ASSERT_TRUE(waitFor([&] {
        return downloads->model()->rowCount() == 1 &&
               details(0) == QStringLiteral("1 WoW addon, ready to install (from "
                                            "http://site/timer.html).");
    })) << details(0).toStdString();
    EXPECT_TRUE(sandbox.env.logContains(
        QStringLiteral(".getDownloadHandler: no input from the player before this download")));
    sandbox.settle(*frame);
    EXPECT_FALSE(std::filesystem::exists(sandbox.addonRoot() / "Solo"));

    // A click in the page just before: installed at once.
    client::ui::BrowserControl* page = frame->getBrowserPanel()->getBrowserControl();
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(10, 10));
    download(QStringLiteral("Trio.zip"), readFile(data / "Trio.zip"));
    ASSERT_TRUE(waitFor([this] {
        return std::filesystem::exists(sandbox.addonRoot() / "Cat" / "Media" / "cat.txt");
    }));
    EXPECT_FALSE(std::filesystem::exists(sandbox.addonRoot() / "Solo"));
}

TEST_F(BrowserPanelTest, RefusedDownloadsSayWhy) {
    struct Case {
        const char* mime;
        qint64 length;
        const char* reason;
    };
    for (const Case& c :
         {Case{"application/zip", 41'943'040,
               "it is larger than 32 MB (the site announced 40.0 MB, 41943040 bytes)."},
          Case{"application/zip", 0, "the site announced an empty file."},
          Case{"text/html", 10, "it is not a zip file (its type is text/html)."}}) {
        MessageBoxes::clearHistory();
        auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/page.html"));
        auto box = std::make_shared<cef::CefDownloadHandlerBox>();
        EXPECT_FALSE(handler->getDownloadHandler(browser, QString::fromLatin1(c.mime),
                                                 QStringLiteral("file.zip"), c.length, box));
        ASSERT_TRUE(waitFor([] { return MessageBoxes::last().has_value(); }));
        EXPECT_EQ(MessageBoxes::last()->text,
                  BrowserPanelHandler::refusedDownloadText(QString::fromLatin1(c.reason),
                                                           QString::fromLatin1(c.mime), c.length));
    }
    EXPECT_TRUE(MessageBoxes::last()->text.startsWith(
        QStringLiteral("Plenfox Client can't take this download: it is not a zip file")));
}

TEST_F(BrowserPanelTest, TheStripNeverShowsTheBrowsersErrorPage) {
    int failures = 0;
    auto ad = std::make_shared<client::ui::AdControlAdapter>(sandbox.opener,
                                                             [&failures] { ++failures; });
    auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/appad.html"));
    // A page that loads loses its scroll bars.
    ad->onLoadEnd(browser, browser->frame, 200);
    EXPECT_EQ(browser->frame->scripts, QStringList{client::ui::AdControlAdapter::NoScrollBars});
    EXPECT_EQ(failures, 0);
    // A page that cannot be reached shows the blank page and tells the strip.
    auto text = std::make_shared<cef::CefStringBox>();
    EXPECT_TRUE(ad->onLoadError(browser, browser->frame, std::nullopt,
                                QStringLiteral("http://site/appad.html"), text));
    EXPECT_EQ(text->getValue(), client::ui::AdControlAdapter::BlankPage);
    EXPECT_EQ(failures, 1);
    // So does a server's error page; an inner frame's failure does not.
    ad->onLoadEnd(browser, browser->frame, 503);
    EXPECT_EQ(failures, 2);
    auto inner = std::make_shared<FakeFrame>(QStringLiteral("http://ads/x"), false);
    EXPECT_FALSE(ad->onLoadError(browser, inner, std::nullopt, QStringLiteral("http://ads/x"),
                                 std::make_shared<cef::CefStringBox>()));
    EXPECT_EQ(failures, 2);
    EXPECT_TRUE(sandbox.env.logContains(QStringLiteral(".failed: the strip's page did not load")));
    // The strip's own panel waits behind the strip's browser.
    auto* fallback = frame->findChild<QLabel*>(QStringLiteral("adFallback"));
    ASSERT_TRUE(fallback);
    EXPECT_TRUE(frame->getAdPanel()->isAncestorOf(fallback));
}

} // namespace
} // namespace plenfox::test
