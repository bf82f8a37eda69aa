// The "Web" tab's handlers without an engine: fake browsers and frames stand
// in for the engine's objects, as the bridge hands them over.
#include "client/ui/BrowserPanel.h"
#include "browser/wrapper/CefDownloadHandlerBox.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefRequest.h"
#include "client/model/Client.h"
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
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
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
    EXPECT_EQ(
        MessageBoxes::last()->text,
        QStringLiteral("Plenfox Client does not support downloading this file.  Try this page "
                       "in your usual web browser instead. (Type=[application/pdf] Size=[1234])"));
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

} // namespace
} // namespace plenfox::test
