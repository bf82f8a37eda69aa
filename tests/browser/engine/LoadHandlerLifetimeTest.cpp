// Load handlers that let go of the browser, or close it, from inside the load
// calls, and an engine stopped in the middle of a load. Under the address
// sanitizer these guard the browser's and page's lifetimes around the
// handler's calls.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "LiveEngine.h"
#include "LoopbackHttpServer.h"
#include "RecordingClient.h"

namespace {

std::string page(const std::string& body) {
    return "<html><head><title>t</title></head><body>" + body + "</body></html>";
}

// A page that moves on to the URL by itself, once loaded.
std::string forwardingPage(const std::string& url) {
    return page("<script>window.onload = () => setTimeout(() => { location.href = '" + url +
                "'; }, 50);</script>");
}

// A client that owns the browser only as its handlers do: one reference taken
// when the browser is created, dropped in the first load start; references
// taken from the load calls and released inside them; and a handle (one
// reference taken and released by hand, like the bridge's) that is closed and
// disposed inside a load call.
class LettingGoClient : public RecordingClient {
public:
    // The URL whose load end closes the browser.
    std::string closingUrl;
    // A load error closes the browser.
    bool closeOnError = false;

    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override {
        kept_ = browser;
        handle_ = browser.get();
        handle_->AddRef();
        record(event("created", {}, 0, browser->IsPopup()));
    }

    void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) override {
        kept_ = nullptr;
        // The browser and frame handed in stay usable after the client let
        // go of its own reference.
        RecordingClient::OnLoadStart(browser, frame);
    }

    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   int httpStatusCode) override {
        {
            CefRefPtr<CefBrowser> taken = browser;
            kept_ = taken;
            kept_ = nullptr;
        }
        RecordingClient::OnLoadEnd(browser, frame, httpStatusCode);
        if (frame && frame->GetURL().ToString() == closingUrl)
            closeAndDispose();
    }

    bool OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                     cef_handler_errorcode_t errorCode, const CefString& failedUrl,
                     CefString& errorText) override {
        kept_ = nullptr;
        const bool handled =
            RecordingClient::OnLoadError(browser, frame, errorCode, failedUrl, errorText);
        if (closeOnError)
            closeAndDispose();
        return handled;
    }

    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override {
        kept_ = nullptr;
        record(event("close", {}, 0, browser->IsPopup()));
    }

private:
    void closeAndDispose() {
        if (!handle_)
            return;
        CefBrowser* handle = handle_;
        handle_ = nullptr;
        handle->CloseBrowser();
        handle->Release();
    }

    CefRefPtr<CefBrowser> kept_;
    CefBrowser* handle_ = nullptr;
};

// The kinds of the events recorded after the browser's close was reported.
std::vector<std::string> eventsAfterClose(const RecordingClient& client) {
    std::vector<std::string> after;
    bool closed = false;
    for (const auto& event : client.events()) {
        if (closed)
            after.push_back(event.kind);
        closed = closed || event.kind == "close";
    }
    return after;
}

bool createBrowser(CefRefPtr<RecordingClient> client, const std::string& url) {
    LiveEngine::ensureStarted();
    CefWindowInfo windowInfo;
    windowInfo.m_nWidth = 800;
    windowInfo.m_nHeight = 600;
    CefBrowserSettings settings;
    return CefBrowser::CreateBrowser(windowInfo, client.get(), url, settings);
}

} // namespace

TEST(LoadHandlerLifetime, handlerThatLetsGoOfTheBrowserInsideLoadCallsAndClosesItThere) {
    LoopbackHttpServer server;
    const std::string last = server.url("/last");
    server.route("/", {200, "text/html", forwardingPage(server.url("/next")), {}});
    server.route("/next", {200, "text/html", forwardingPage(last), {}});
    server.route("/last", {200, "text/html", page("<p>last</p>"), {}});
    CefRefPtr<LettingGoClient> client = new LettingGoClient();
    client->closingUrl = last;

    // Nothing but the client's handlers holds the browser from here on.
    ASSERT_TRUE(createBrowser(client.get(), server.url("/")));
    ASSERT_EQ("close", client->waitFor("close").kind);

    for (const std::string path : {"/", "/next", "/last"}) {
        EXPECT_EQ(1, client->count("loadStart", server.url(path))) << path;
        EXPECT_EQ(200, client->waitFor("loadEnd", server.url(path)).code) << path;
    }
    EXPECT_EQ(1, client->count("close"));
    EXPECT_EQ(std::vector<std::string>{}, eventsAfterClose(*client));
}

TEST(LoadHandlerLifetime, closingAndDisposingInsideTheErrorOfAFailedLoad) {
    const std::string refused =
        "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()) + "/";
    CefRefPtr<LettingGoClient> client = new LettingGoClient();
    client->closeOnError = true;

    ASSERT_TRUE(createBrowser(client.get(), refused));
    ASSERT_EQ("close", client->waitFor("close").kind);

    EXPECT_EQ(ERR_CONNECTION_REFUSED, client->waitFor("loadError").code);
    EXPECT_EQ(1, client->count("close"));
    EXPECT_EQ(std::vector<std::string>{}, eventsAfterClose(*client));
}

// The engine is stopped while the page is still arriving. Runs in a process of
// its own (see CMakeLists.txt): the engine can start only once per process.
TEST(EngineShutdown, stoppingTheEngineInTheMiddleOfALoadClosesTheBrowserOnce) {
    LoopbackHttpServer server;
    HttpReply slow{200, "text/html", page(std::string(64 * 1024, 'x')), {}};
    slow.holdMs = 30000;
    server.route("/slow", slow);
    const std::string slowUrl = server.url("/slow");
    CefRefPtr<RecordingClient> client = new RecordingClient();
    ASSERT_TRUE(createBrowser(client.get(), slowUrl));
    ASSERT_EQ("loadStart", client->waitFor("loadStart", slowUrl).kind);
    ASSERT_EQ(0, client->count("loadEnd", slowUrl)) << "the load is still in progress";

    LiveEngine::shutdownIfStarted();

    EXPECT_EQ(1, client->count("close"));
    EXPECT_EQ(std::vector<std::string>{}, eventsAfterClose(*client));
}
