// The engine inside a program that already has its QApplication: the engine's
// UI thread is then the program's GUI thread. Runs in a process of its own
// (see CMakeLists.txt).
#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <functional>
#include <utility>

#include <gtest/gtest.h>

#include "LoopbackHttpServer.h"
#include "RecordingClient.h"
#include "cef_app.h"
#include "cef_task.h"

namespace {

// Lets the GUI thread work until the client saw the event.
bool pumpUntil(QApplication& application, RecordingClient& client, const std::string& kind) {
    QElapsedTimer timer;
    timer.start();
    while (client.count(kind) == 0 && timer.elapsed() < 60000)
        application.processEvents(QEventLoop::AllEvents, 50);
    return client.count(kind) > 0;
}

// A program of its own that made its QApplication before starting the engine,
// as the client program does. Only one such program can run per process.
struct HostProgram {
    static bool canRunHere() { return !QCoreApplication::instance() && !CefCurrentlyOn(TID_UI); }
    static bool shareOpenGlContexts() {
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
        return true;
    }
    bool startEngine() {
        CefSettings settings;
        settings.multi_threaded_message_loop = true;
        return CefInitialize(settings, nullptr);
    }

    int argc = 1;
    char name[7] = "client";
    char* argv[2] = {name, nullptr};
    // Set before the application exists, as Qt WebEngine requires.
    bool openGlContextsShared = shareOpenGlContexts();
    QApplication application{argc, argv};
};

} // namespace

TEST(ClientMode, browsersLiveOnTheProgramsGuiThreadInsideItsWidgets) {
    if (!HostProgram::canRunHere())
        GTEST_SKIP() << "run with --gtest_filter=ClientMode.* in a process of its own";
    HostProgram program;
    QApplication& application = program.application;
    QWidget host;
    host.resize(800, 600);
    host.show();

    ASSERT_TRUE(program.startEngine());
    EXPECT_TRUE(CefCurrentlyOn(TID_UI)) << "the GUI thread is the UI thread";

    LoopbackHttpServer server;
    server.route("/", {200, "text/html", "<html><body>hosted</body></html>", {}});
    CefRefPtr<RecordingClient> client = new RecordingClient();
    CefWindowInfo windowInfo;
    windowInfo.SetAsChild(static_cast<cef_window_handle_t>(host.winId()), 10, 20, 400, 300);
    ASSERT_TRUE(
        CefBrowser::CreateBrowser(windowInfo, client.get(), server.url("/"), CefBrowserSettings()));
    ASSERT_TRUE(pumpUntil(application, *client, "loadEnd"));
    EXPECT_EQ(200, client->waitFor("loadEnd").code);

    const QWidget* view = QWidget::find(static_cast<WId>(client->browser()->GetWindowHandle()));
    ASSERT_NE(nullptr, view);
    EXPECT_EQ(&host, view->parentWidget());
    EXPECT_EQ(QRect(10, 20, 400, 300), view->geometry());

    // Stopping from the GUI thread closes the browser; the application lives on.
    CefShutdown();
    EXPECT_EQ(1, client->count("close"));
    EXPECT_FALSE(CefCurrentlyOn(TID_UI));
    EXPECT_EQ(&application, QCoreApplication::instance());
}

namespace {

// Runs work once, on the GUI thread, inside the first load end it sees.
class LoadEndActionClient : public RecordingClient {
public:
    std::function<void()> atLoadEnd;

    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   int httpStatusCode) override {
        RecordingClient::OnLoadEnd(browser, frame, httpStatusCode);
        if (auto action = std::exchange(atLoadEnd, nullptr))
            action();
    }
};

bool openIn(QWidget& host, CefRefPtr<RecordingClient> client, const std::string& url) {
    CefWindowInfo windowInfo;
    windowInfo.SetAsChild(static_cast<cef_window_handle_t>(host.winId()), 0, 0, 400, 300);
    return CefBrowser::CreateBrowser(windowInfo, client.get(), url, CefBrowserSettings());
}

} // namespace

// A program whose load handler takes the browser's window away, or stops the
// engine, while the page is still telling of its load.
TEST(ClientModeCallbacks, loadHandlerMayDestroyTheHostWindowOrStopTheEngine) {
    if (!HostProgram::canRunHere())
        GTEST_SKIP() << "run with --gtest_filter=ClientModeCallbacks.* in a process of its own";
    HostProgram program;
    QApplication& application = program.application;
    ASSERT_TRUE(program.startEngine());
    LoopbackHttpServer server;
    server.route("/", {200, "text/html", "<html><body>hosted</body></html>", {}});

    auto* host = new QWidget();
    host->show();
    CefRefPtr<LoadEndActionClient> first = new LoadEndActionClient();
    first->atLoadEnd = [host] { delete host; };
    ASSERT_TRUE(openIn(*host, first.get(), server.url("/")));
    ASSERT_TRUE(pumpUntil(application, *first, "close"));
    EXPECT_EQ(1, first->count("loadEnd"));
    EXPECT_EQ(1, first->count("close"));

    QWidget second;
    second.show();
    CefRefPtr<LoadEndActionClient> stopping = new LoadEndActionClient();
    stopping->atLoadEnd = [] { CefShutdown(); };
    ASSERT_TRUE(openIn(second, stopping.get(), server.url("/")));
    ASSERT_TRUE(pumpUntil(application, *stopping, "close"));
    EXPECT_EQ(1, stopping->count("loadEnd"));
    EXPECT_EQ(1, stopping->count("close"));
    EXPECT_FALSE(CefCurrentlyOn(TID_UI)) << "the engine stopped";
    // The application goes on with the deferred work the engine left.
    application.processEvents();
}

namespace {

// Closes its browser as soon as it is told of it.
class ClosingAtOnceClient : public RecordingClient {
public:
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override {
        RecordingClient::OnAfterCreated(browser);
        browser->CloseBrowser();
    }
};

} // namespace

// A browser made just before the engine stops and closed by its client the
// moment it arrives, as a window closing during its start does: the work
// that posts runs, or goes, before the engine's end, and nothing of the
// engine still holds the client afterwards.
TEST(ClientModeShutdown, nothingQueuedOutlivesTheEngine) {
    if (!HostProgram::canRunHere())
        GTEST_SKIP() << "run with --gtest_filter=ClientModeShutdown.* in a process of its own";
    HostProgram program;
    ASSERT_TRUE(program.startEngine());
    LoopbackHttpServer server;
    server.route("/", {200, "text/html", "<html><body>hosted</body></html>", {}});
    QWidget host;
    host.show();
    CefRefPtr<ClosingAtOnceClient> client = new ClosingAtOnceClient();
    CefWindowInfo windowInfo;
    windowInfo.SetAsChild(static_cast<cef_window_handle_t>(host.winId()), 0, 0, 400, 300);
    ASSERT_TRUE(
        CefBrowser::CreateBrowser(windowInfo, client.get(), server.url("/"), CefBrowserSettings()));
    CefShutdown();
    EXPECT_EQ(1, client->count("created"));
    EXPECT_EQ(1, client->count("close"));
    EXPECT_EQ(1, client->GetRefCt()) << "work left queued still holds the browser and its client";
}
