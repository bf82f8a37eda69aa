// The engine stopped while a download runs, from inside the handler's
// Complete, and while Complete runs on the IO thread. The engine owns its
// application here, as it does inside a Java VM. Each suite runs in a process
// of its own (the engine starts once per process).
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "CollectingDownloadHandler.h"
#include "EngineThreads.h"
#include "LiveEngine.h"
#include "LoopbackHttpServer.h"
#include "RandomBytes.h"
#include "RecordingClient.h"
#include "cef_app.h"
#include "cef_task.h"

namespace {

bool waitUntil(const std::function<bool()>& condition, int seconds = 60) {
    for (int attempt = 0; attempt < seconds * 20; ++attempt) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

// A one-shot gate between two threads.
class Gate {
public:
    void open() {
        std::lock_guard guard(lock_);
        open_ = true;
        changed_.notify_all();
    }
    bool waitOpen(std::chrono::seconds timeout) {
        std::unique_lock guard(lock_);
        return changed_.wait_for(guard, timeout, [this] { return open_; });
    }
    bool isOpen() {
        std::lock_guard guard(lock_);
        return open_;
    }

private:
    std::mutex lock_;
    std::condition_variable changed_;
    bool open_ = false;
};

// Collects a download; its Complete then runs what the test gives it.
class CompletingHandler : public CollectingDownloadHandler {
public:
    std::function<void()> onComplete;
    void Complete() override {
        CollectingDownloadHandler::Complete();
        if (onComplete)
            onComplete();
    }
};

// A client that opens a gate when the engine closes its browser, then runs
// what the test gives it.
class ClosingClient : public RecordingClient {
public:
    Gate closed;
    std::function<void()> afterClose;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override {
        RecordingClient::OnBeforeClose(browser);
        closed.open();
        if (afterClose)
            afterClose();
    }
};

class DownloadShutdown : public ::testing::Test {
protected:
    void SetUp() override {
        server.route("/", {200,
                           "text/html",
                           "<html><body><a id='zip' href='/files/addon.zip'>zip</a></body></html>",
                           {}});
        client->downloadHandlerFactory = [this](const std::string&) {
            return CefRefPtr<CefDownloadHandler>(sink.get());
        };
        browser = LiveEngine::openBrowser(client, server.url("/"));
        ASSERT_TRUE(browser);
        ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    }
    void TearDown() override { browser = nullptr; }

    void clickZip() {
        browser->GetMainFrame()->ExecuteJavaScript("document.getElementById('zip').click()", "", 0);
    }
    // What an orderly end leaves: the browser closed once, the handler let
    // go of on the IO thread, no staging file, and no engine thread left
    // running (one stopped from inside its own work ends on its own).
    void expectOrderlyEnd() {
        EXPECT_EQ(1, client->count("close"));
        EXPECT_TRUE(waitUntil([this] { return sink->releasedByEngine(); }))
            << "the engine still holds the download handler";
        EXPECT_TRUE(sink->lastEngineReferenceOnIo());
        EXPECT_TRUE(LiveEngine::stagingFiles().empty());
        EXPECT_TRUE(waitUntil([] { return !EngineThreads::anyRunning(); }, 30))
            << "an engine thread still runs after the engine stopped";
    }

    LoopbackHttpServer server;
    CefRefPtr<ClosingClient> client = new ClosingClient();
    CefRefPtr<CompletingHandler> sink = new CompletingHandler();
    CefRefPtr<CefBrowser> browser;
};

TEST_F(DownloadShutdown, WithABrowserOpenAndADownloadRunning) {
    HttpReply slow =
        HttpReply::attachment("application/zip", "addon.zip", randomBytes(2 * 1024 * 1024, 31));
    slow.pieceBytes = 16 * 1024;
    slow.pieceIntervalMs = 50;
    server.route("/files/addon.zip", slow);
    clickZip();
    ASSERT_TRUE(waitUntil([this] { return sink->calls() > 0; }));
    browser = nullptr;
    LiveEngine::shutdownIfStarted();
    EXPECT_FALSE(sink->completed()) << "a download cut by the end never completes";
    expectOrderlyEnd();
}

// A handler that stops the engine from inside its own Complete: the engine
// ends around the call and lets go of the handler once it returns.
using DownloadShutdownInsideComplete = DownloadShutdown;

TEST_F(DownloadShutdownInsideComplete, EndsTheEngineAndLetsGoOfTheHandler) {
    const std::string body = randomBytes(256 * 1024, 31);
    server.route("/files/addon.zip", HttpReply::attachment("application/zip", "addon.zip", body));
    Gate stopped;
    sink->onComplete = [&stopped] {
        CefShutdown();
        stopped.open();
    };
    clickZip();
    ASSERT_TRUE(stopped.waitOpen(std::chrono::seconds(60))) << "Complete never came";
    browser = nullptr;
    EXPECT_TRUE(sink->completed());
    EXPECT_EQ(body, sink->bytes());
    expectOrderlyEnd();
    EXPECT_FALSE(CefPostTask(TID_UI, nullptr)) << "the engine is gone";
}

// Complete is still running on the IO thread while the engine stops on
// another thread: the work the download posts when Complete returns comes
// after the engine took its downloads apart, and must not touch them.
using DownloadShutdownWhileCompleting = DownloadShutdown;

TEST_F(DownloadShutdownWhileCompleting, TouchesNothingTheEngineTookApart) {
    // Without a length, Complete comes only after Qt's download ended: the
    // job's last work then always has its files to remove.
    HttpReply chunked =
        HttpReply::attachment("application/zip", "addon.zip", randomBytes(256 * 1024, 31));
    chunked.chunked = true;
    server.route("/files/addon.zip", chunked);
    Gate completing;
    sink->onComplete = [this, &completing] {
        completing.open();
        // Returns once the engine closed the browser, after its downloads.
        client->closed.waitOpen(std::chrono::seconds(60));
    };
    // The engine goes on stopping only once the download let go of its
    // handler and so queued its last work, which then runs last.
    client->afterClose = [this] {
        waitUntil([this] { return sink->releasedByEngine(); }, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    };
    clickZip();
    ASSERT_TRUE(completing.waitOpen(std::chrono::seconds(60))) << "Complete never came";
    browser = nullptr;
    LiveEngine::shutdownIfStarted();
    EXPECT_TRUE(sink->completed());
    expectOrderlyEnd();
}

} // namespace
