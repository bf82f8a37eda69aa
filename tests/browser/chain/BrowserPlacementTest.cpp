// Where the engine puts a browser's window when its parent's native window
// was made anew between the request and the creation.
#include "ChainClient.h"
#include "ChainEngine.h"
#include "LoopbackHttpServer.h"

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

} // namespace
} // namespace plenfox::test
