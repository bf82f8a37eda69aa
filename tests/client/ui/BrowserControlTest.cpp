// The browser control's ownership of browsers without an engine: the factory
// records what the control asks for, and the tests play the engine, handing
// fake browsers to the client the control made.
#include "client/ui/BrowserControl.h"
#include "browser/wrapper/CefClientAdapter.h"
#include "browser/wrapper/CefDisposingHandlerAdapter.h"
#include "client/model/Constants.h"
#include "client/ui/BrowserPanel.h"
#include "client/ui/NonDisposableBrowser.h"
#include "tests/browser/wrapper/FakeCefObjects.h"
#include "tests/client/ui/UiTestSupport.h"

#include <QCoreApplication>
#include <QPushButton>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

using client::ui::BrowserControl;

// An inner client that lets popups open and records the browsers it hears of.
class InnerClient final : public cef::CefClientAdapter, public cef::CefDisposingHandlerAdapter {
public:
    std::shared_ptr<cef::CefLifeSpanHandler> getLifeSpanHandler() override {
        return std::dynamic_pointer_cast<cef::CefLifeSpanHandler>(shared_from_this());
    }
    bool onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                       std::shared_ptr<cef::CefPopupFeatures>, std::shared_ptr<cef::CefWindowInfo>,
                       QString, std::shared_ptr<cef::CefClientBox>,
                       std::shared_ptr<cef::CefBrowserSettings>) override {
        release(parent);
        return false;
    }
    void onAfterCreated(std::shared_ptr<cef::CefBrowser> browser) override {
        // Handlers get a browser they cannot release.
        EXPECT_TRUE(std::dynamic_pointer_cast<client::ui::NonDisposableBrowser>(browser));
        created.push_back(browser->getWindowHandle());
    }
    void onBeforeClose(std::shared_ptr<cef::CefBrowser> browser) override {
        closed.push_back(browser->getWindowHandle());
        CefDisposingHandlerAdapter::onBeforeClose(std::move(browser));
    }

    std::vector<std::int64_t> created;
    std::vector<std::int64_t> closed;
};

std::shared_ptr<FakeBrowser> fakeBrowser(std::int64_t window, bool popup = false) {
    auto browser = std::make_shared<FakeBrowser>(QStringLiteral("http://site/"));
    browser->window = window;
    browser->popup = popup;
    return browser;
}

// What the engine hands a handler: a fresh object for the same browser.
std::shared_ptr<FakeBrowser> freshObjectFor(const FakeBrowser& browser) {
    return fakeBrowser(browser.window, browser.popup);
}

class BrowserControlTest : public ::testing::Test {
protected:
    std::shared_ptr<cef::CefLifeSpanHandler> lifeSpanOf(std::size_t request) {
        return factory.requests.at(request).client->getLifeSpanHandler();
    }

    TestEnvironment env;
    InertFactory factory;
    BrowserControl control{factory};
    std::shared_ptr<InnerClient> inner = std::make_shared<InnerClient>();
};

TEST_F(BrowserControlTest, OnlyTheBrowserAskedForBecomesTheControlsPopupsHaveTheirOwnOwner) {
    control.go(QStringLiteral("http://site/"), inner);
    ASSERT_EQ(factory.requests.size(), 1u);
    auto events = lifeSpanOf(0);
    auto own = fakeBrowser(1);
    events->onAfterCreated(own);
    EXPECT_TRUE(control.hasBrowser());

    // A popup the inner client let open shares the client: it is told of it,
    // but the control keeps its own browser.
    auto popup = fakeBrowser(2, true);
    events->onAfterCreated(popup);
    EXPECT_EQ(inner->created, (std::vector<std::int64_t>{1, 2}));
    EXPECT_EQ(own->closed + own->disposed, 0);
    EXPECT_EQ(popup->closed + popup->disposed, 0) << "the popup's owner keeps it while it is open";
    control.navigate(QStringLiteral("http://site/typed.html"));
    EXPECT_EQ(own->frame->loaded, QStringList{QStringLiteral("http://site/typed.html")});
    EXPECT_TRUE(popup->frame->loaded.isEmpty());

    // A second browser that is no popup was never asked for: closed at once.
    auto stray = fakeBrowser(3);
    events->onAfterCreated(stray);
    EXPECT_EQ(stray->closed, 1);
    EXPECT_EQ(stray->disposed, 1);
    EXPECT_EQ(own->closed + own->disposed, 0);

    // The popup closes: its owner lets go of it; the control's browser stays.
    events->onBeforeClose(freshObjectFor(*popup));
    EXPECT_EQ(popup->disposed, 1);
    EXPECT_EQ(popup->closed, 0);
    EXPECT_TRUE(control.hasBrowser());
    EXPECT_EQ(inner->closed, (std::vector<std::int64_t>{2}));

    // A popup still open when the control goes is closed with it.
    auto open = fakeBrowser(4, true);
    events->onAfterCreated(open);
    control.dispose();
    EXPECT_EQ(open->closed, 1);
    EXPECT_EQ(open->disposed, 1);
    EXPECT_EQ(own->closed, 1);
    EXPECT_EQ(own->disposed, 1);
    EXPECT_FALSE(control.hasBrowser());
}

TEST_F(BrowserControlTest, TheControlLetsGoOfItsBrowserWhenItCloses) {
    control.go(QStringLiteral("http://site/"), inner);
    auto own = fakeBrowser(7);
    lifeSpanOf(0)->onAfterCreated(own);
    lifeSpanOf(0)->onBeforeClose(freshObjectFor(*own));
    EXPECT_FALSE(control.hasBrowser());
    EXPECT_EQ(own->disposed, 1);
    EXPECT_EQ(inner->closed, (std::vector<std::int64_t>{7}));
}

TEST_F(BrowserControlTest, GoingTwiceNeverLeavesABrowserBehind) {
    // Twice before the first browser arrives: the first is closed when it does.
    control.go(QStringLiteral("http://site/a"), inner);
    control.go(QStringLiteral("http://site/b"), inner);
    ASSERT_EQ(factory.requests.size(), 2u);
    EXPECT_EQ(factory.requests[0].windowInfo->disposed, 1);
    EXPECT_EQ(factory.requests[0].settings->disposed, 1);
    auto first = fakeBrowser(1);
    lifeSpanOf(0)->onAfterCreated(first);
    EXPECT_EQ(first->closed, 1);
    EXPECT_EQ(first->disposed, 1);
    EXPECT_FALSE(control.hasBrowser());
    auto second = fakeBrowser(2);
    lifeSpanOf(1)->onAfterCreated(second);
    EXPECT_TRUE(control.hasBrowser());

    // Again once the browser is there: the old one is closed when the new
    // one takes its place.
    control.go(QStringLiteral("http://site/c"), inner);
    auto third = fakeBrowser(3);
    lifeSpanOf(2)->onAfterCreated(third);
    EXPECT_EQ(second->closed, 1);
    EXPECT_EQ(second->disposed, 1);
    EXPECT_EQ(third->closed + third->disposed, 0);
    EXPECT_TRUE(env.logContains(BrowserControl::Prefix +
                                QStringLiteral(".setBrowser: disposing old browser ...")));
    // The replaced browser's end reaches the inner client but leaves the
    // control's new browser alone.
    lifeSpanOf(1)->onBeforeClose(freshObjectFor(*second));
    EXPECT_TRUE(control.hasBrowser());
    EXPECT_EQ(inner->closed, (std::vector<std::int64_t>{2}));
}

TEST_F(BrowserControlTest, NavigationBeforeTheBrowserArrivesIsLoadedAfterTheEnginesFirstLoad) {
    control.go(QStringLiteral("http://site/home"), inner);
    control.navigate(QStringLiteral("http://site/first"));
    control.navigate(QStringLiteral("http://site/typed"));
    auto browser = fakeBrowser(1);
    lifeSpanOf(0)->onAfterCreated(browser);
    // Not during the arrival: the engine loads the go address right after it.
    EXPECT_TRUE(browser->frame->loaded.isEmpty());
    // Typed while the kept address waits: still in the order asked.
    control.navigate(QStringLiteral("http://site/later"));
    EXPECT_TRUE(browser->frame->loaded.isEmpty());
    ASSERT_TRUE(waitFor([&] { return !browser->frame->loaded.isEmpty(); }));
    EXPECT_EQ(browser->frame->loaded, QStringList{QStringLiteral("http://site/later")});
    control.navigate(QStringLiteral("http://site/next"));
    EXPECT_EQ(browser->frame->loaded, (QStringList{QStringLiteral("http://site/later"),
                                                   QStringLiteral("http://site/next")}));
    QCoreApplication::processEvents();
    EXPECT_EQ(browser->frame->loaded.size(), 2);
    EXPECT_TRUE(
        env.logContains(BrowserControl::Prefix +
                        QStringLiteral(".navigate: no browser yet, keeping [http://site/first]")));
}

TEST_F(BrowserControlTest, GoAfterAKeptNavigationLoadsOnlyItsOwnAddress) {
    control.navigate(QStringLiteral("http://site/kept"));
    control.go(QStringLiteral("http://site/home"), inner);
    auto browser = fakeBrowser(1);
    lifeSpanOf(0)->onAfterCreated(browser);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(browser->frame->loaded.isEmpty());
}

TEST(MainFrameBrowsers, StartUpAsksForTheStripThenTheWebTabAndHomeWorksBeforeTheyArrive) {
    WindowSandbox sandbox;
    auto setup = sandbox.setup();
    setup.factory = &sandbox.factory;
    auto frame = sandbox.startWindow(std::move(setup));
    frame->go();
    // Both at once, without waiting for either browser to arrive.
    ASSERT_TRUE(waitFor([&] { return sandbox.factory.requests.size() == 2; }));
    EXPECT_EQ(sandbox.factory.created,
              (QStringList{client::Constants::AdUrl, client::Constants::DefaultUrl}));

    // Home during start-up: done once the Web tab's browser is there.
    client::ui::BrowserPanel* panel = frame->getBrowserPanel();
    auto* home = panel->findChild<QPushButton*>(QStringLiteral("home"));
    ASSERT_NE(home, nullptr);
    frame->navigate(QStringLiteral("http://site/elsewhere"));
    home->click();
    auto browser = fakeBrowser(5);
    sandbox.factory.requests[1].client->getLifeSpanHandler()->onAfterCreated(browser);
    ASSERT_TRUE(waitFor([&] { return !browser->frame->loaded.isEmpty(); }));
    EXPECT_EQ(browser->frame->loaded, QStringList{client::Constants::DefaultUrl});
}

} // namespace
} // namespace plenfox::test
