// A real browser, offscreen, against pages served on loopback.
#include <chrono>
#include <future>
#include <thread>

#include <gtest/gtest.h>

#include "LiveEngine.h"
#include "LoopbackHttpServer.h"
#include "RecordingClient.h"
#include "cef_browser.h"
#include "cef_request.h"
#include "cef_stream.h"
#include "cef_task.h"

namespace {

std::string page(const std::string& body) {
    return "<html><head><title>t</title></head><body>" + body + "</body></html>";
}

class BrowserEvents : public ::testing::Test {
protected:
    void SetUp() override {
        server.route("/", {200, "text/html", page("<a id='next' href='/next'>next</a>"), {}});
        server.route("/next", {200, "text/html", page("<p>next</p>"), {}});
        server.route("/third", {200, "text/html", page("<p>third</p>"), {}});
        client = new RecordingClient();
    }
    void TearDown() override { LiveEngine::closeBrowser(client, browser); }

    // Loads the URL and waits for its load to end.
    RecordingClient::Event loadAndWait(const std::string& url) {
        client->clear();
        browser->GetMainFrame()->LoadURL(url);
        return client->waitFor("loadEnd", url);
    }

    // Runs work on the engine's UI thread and waits for its answer.
    template <class F> auto onUi(F work) {
        struct Task : CefTask {
            explicit Task(F w) : work(std::move(w)) {}
            void Execute(CefThreadId) override { result.set_value(work()); }
            F work;
            std::promise<decltype(work())> result;
            IMPLEMENT_REFCOUNTING(Task)
        };
        CefRefPtr<Task> task = new Task(std::move(work));
        auto future = task->result.get_future();
        EXPECT_TRUE(CefPostTask(TID_UI, task.get()));
        return future.get();
    }

    LoopbackHttpServer server;
    CefRefPtr<RecordingClient> client;
    CefRefPtr<CefBrowser> browser;
};

} // namespace

TEST_F(BrowserEvents, loadEndCarriesTheHttpStatusAndFailuresAreErrors) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    const auto first = client->waitFor("loadEnd", server.url("/"));
    EXPECT_EQ(200, first.code);
    EXPECT_EQ(1, client->count("loadStart", server.url("/")));

    // A 404 page is a page: its load ends with the status, without an error.
    const auto missing = loadAndWait(server.url("/absent"));
    EXPECT_EQ(404, missing.code);
    EXPECT_EQ(0, client->count("loadError"));

    const std::string refused =
        "http://127.0.0.1:" + std::to_string(LoopbackHttpServer::closedPort()) + "/";
    client->clear();
    browser->GetMainFrame()->LoadURL(refused);
    const auto error = client->waitFor("loadError");
    EXPECT_EQ(ERR_CONNECTION_REFUSED, error.code);
    EXPECT_EQ(refused, error.url);
    EXPECT_FALSE(error.text.empty());
}

TEST_F(BrowserEvents, requestsLoadWithTheirHeaders) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    auto request = CefRequest::Create();
    request->Set(server.url("/next"), "GET", nullptr, {{"X-Plenfox-Test", "yes"}});
    client->clear();
    browser->GetMainFrame()->LoadRequest(request);
    EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/next")).code);
    EXPECT_NE(std::string::npos, server.lastRequest("/next").find("\r\nX-Plenfox-Test: yes"));
}

TEST_F(BrowserEvents, requestsLoadWithTheirMethodAndNeverAsAnotherOne) {
    server.route("/form", {200, "text/html", page("<p>posted</p>"), {}});
    server.route("/put", {200, "text/html", page("<p>put</p>"), {}});
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    auto data = CefPostData::Create();
    auto element = CefPostDataElement::Create();
    element->SetToBytes(3, "a=1");
    data->AddElement(element);

    // A method Qt cannot send is not sent as GET: nothing is loaded.
    auto put = CefRequest::Create();
    put->Set(server.url("/put"), "PUT", data, {});
    client->clear();
    browser->GetMainFrame()->LoadRequest(put);
    // Give a request that was sent the time to reach the server.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(0, server.hits("/put"));
    EXPECT_EQ(server.url("/"), browser->GetMainFrame()->GetURL().ToString());
    // A lower-case POST, and data without a method, go out as POST.
    for (const char* method : {"post", ""}) {
        auto request = CefRequest::Create();
        request->Set(server.url("/form"), method, data, {});
        client->clear();
        browser->GetMainFrame()->LoadRequest(request);
        EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/form")).code);
    }
    EXPECT_EQ(server.methods("/form"), (std::vector<std::string>{"POST", "POST"}));
}

TEST_F(BrowserEvents, streamsShowAsTheTypeTheirNameAndContentTell) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    auto frame = browser->GetMainFrame();
    const std::string markup = "<html><body><b>bold</b></body></html>";
    const std::string notes = "<b>written as is</b>";
    struct Case {
        std::string content;
        std::string path;
        std::string shownText;
    };
    for (const Case& c :
         {Case{markup, "/page.html", "bold"}, Case{notes, "/notes.txt", "<b>written as is</b>"}}) {
        SCOPED_TRACE(c.path);
        client->clear();
        frame->LoadStream(CefStreamReader::CreateForData(c.content.data(), c.content.size()),
                          server.url(c.path));
        EXPECT_NE("timeout", client->waitFor("loadEnd").kind);
        std::string text;
        for (int attempt = 0; attempt < 3 && text.empty(); ++attempt)
            text = onUi([frame] { return frame->GetText().ToString(); });
        EXPECT_NE(std::string::npos, text.find(c.shownText)) << text;
    }
}

TEST_F(BrowserEvents, linkClickIsReportedAsSuchAndCanBeCancelled) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);

    client->cancelLinkClicks = true;
    client->clear();
    browser->GetMainFrame()->ExecuteJavaScript("document.getElementById('next').click()", "", 0);
    const auto navigation = client->waitFor("beforeBrowse", server.url("/next"));
    EXPECT_EQ(NAVTYPE_LINKCLICKED, navigation.code);
    EXPECT_FALSE(navigation.flag) << "not a redirect";
    EXPECT_EQ("main", navigation.text);
    // Give a navigation that was not cancelled the time to reach the server.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(0, server.hits("/next"));
    EXPECT_EQ(server.url("/"), browser->GetMainFrame()->GetURL().ToString());

    client->cancelLinkClicks = false;
    client->clear();
    browser->GetMainFrame()->ExecuteJavaScript("document.getElementById('next').click()", "", 0);
    EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/next")).code);
    EXPECT_EQ(1, server.hits("/next"));
}

TEST_F(BrowserEvents, historyFollowsEachLoad) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    EXPECT_FALSE(browser->CanGoBack());
    EXPECT_FALSE(browser->CanGoForward());

    ASSERT_EQ(200, loadAndWait(server.url("/next")).code);
    EXPECT_TRUE(browser->CanGoBack());
    EXPECT_FALSE(browser->CanGoForward());
    ASSERT_EQ(200, loadAndWait(server.url("/third")).code);

    client->clear();
    browser->GoBack();
    EXPECT_EQ(NAVTYPE_BACKFORWARD, client->waitFor("beforeBrowse", server.url("/next")).code);
    ASSERT_NE("timeout", client->waitFor("loadEnd", server.url("/next")).kind);
    EXPECT_TRUE(browser->CanGoBack());
    EXPECT_TRUE(browser->CanGoForward());

    client->clear();
    browser->GoBack();
    ASSERT_NE("timeout", client->waitFor("loadEnd", server.url("/")).kind);
    EXPECT_FALSE(browser->CanGoBack());
    EXPECT_TRUE(browser->CanGoForward());

    client->clear();
    browser->GoForward();
    ASSERT_NE("timeout", client->waitFor("loadEnd", server.url("/next")).kind);
    EXPECT_TRUE(browser->CanGoBack());
    EXPECT_TRUE(browser->CanGoForward());
    EXPECT_EQ(server.url("/next"), browser->GetMainFrame()->GetURL().ToString());
}

TEST_F(BrowserEvents, sourceSeesScriptChangesOnTheUiThreadOnly) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    auto frame = browser->GetMainFrame();
    frame->ExecuteJavaScript(
        "var p = document.createElement('p'); p.id = 'added'; p.textContent = 'written by script';"
        "document.body.appendChild(p);",
        "", 0);

    // Scripts run in order: the change is in place once a later one ran.
    std::string source;
    for (int attempt = 0; attempt < 100; ++attempt) {
        source = onUi([frame] { return frame->GetSource().ToString(); });
        if (source.find("written by script") != std::string::npos)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_NE(std::string::npos, source.find("id=\"added\""));
    // A loaded machine can miss the renderer's answer within one wait: ask again.
    std::string text;
    for (int attempt = 0; attempt < 3 && text.empty(); ++attempt)
        text = onUi([frame] { return frame->GetText().ToString(); });
    EXPECT_NE(std::string::npos, text.find("written by script"));
    EXPECT_EQ(std::string::npos, text.find("<p"));

    // Markup given as a string becomes the document of the address named.
    client->clear();
    frame->LoadString("<html><body><p>from a string</p></body></html>", server.url("/virtual"));
    EXPECT_NE("timeout", client->waitFor("loadEnd").kind);
    EXPECT_NE(std::string::npos,
              onUi([frame] { return frame->GetText().ToString(); }).find("from a string"));
    EXPECT_EQ(0, server.hits("/virtual"));

    EXPECT_TRUE(frame->GetSource().empty()) << "answered off the UI thread";
    EXPECT_TRUE(frame->GetText().empty());
}

TEST_F(BrowserEvents, popupsAskFirstAndCancelledOnesNeverOpen) {
    server.route("/popup", {200,
                            "text/html",
                            page("<script>document.write(\"<img src='/script-ran'>\")</script>"),
                            {}});
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);

    client->cancelPopups = true;
    client->clear();
    browser->GetMainFrame()->ExecuteJavaScript("window.open('/popup', 'p', 'width=300,height=200')",
                                               "", 0);
    EXPECT_EQ(server.url("/popup"), client->waitFor("popup").url);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(0, client->count("created"));
    EXPECT_EQ(0, server.hits("/popup"));

    client->cancelPopups = false;
    client->clear();
    browser->GetMainFrame()->ExecuteJavaScript("window.open('/popup', 'p', 'width=300,height=200')",
                                               "", 0);
    const auto created = client->waitFor("created");
    EXPECT_TRUE(created.flag) << "the new browser is a popup";
    EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/popup")).code);
    for (int attempt = 0; attempt < 100 && server.hits("/script-ran") == 0; ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(1, server.hits("/script-ran"));

    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    ASSERT_EQ(1, server.hits("/script-ran"));

    // Settings changed by the handler apply to the popup.
    client->popupScriptsDisabled = true;
    client->clear();
    browser->GetMainFrame()->ExecuteJavaScript("window.open('/popup', 'q')", "", 0);
    EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/popup")).code);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_EQ(1, server.hits("/script-ran"));
}

TEST_F(BrowserEvents, unknownSchemesGoToTheRequestHandler) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    client->clear();
    browser->GetMainFrame()->LoadURL("plenfox-test:open?item=1");
    EXPECT_EQ("plenfox-test:open?item=1", client->waitFor("protocol").url);
    EXPECT_EQ(server.url("/"), browser->GetMainFrame()->GetURL().ToString());
}

TEST_F(BrowserEvents, resourceLoadsCanBeCancelledOrRedirected) {
    server.route("/images",
                 {200, "text/html", page("<img src='/blocked.png'><img src='/moved.png'>"), {}});
    server.route("/replacement.png", {200, "image/png", "not really a png", {}});
    server.route("/hop", {302, "text/html", "", {{"Location", "/next"}}});
    client->blockedSuffix = "/blocked.png";
    client->redirectedSuffix = "/moved.png";
    client->redirectTarget = server.url("/replacement.png");
    browser = LiveEngine::openBrowser(client, server.url("/images"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/images")).code);
    const auto image = client->waitFor("resource", server.url("/moved.png"));
    EXPECT_TRUE(image.flag) << "asked on the UI thread";
    EXPECT_EQ("GET", image.text);
    for (int attempt = 0; attempt < 100 && server.hits("/replacement.png") == 0; ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(1, server.hits("/replacement.png"));
    EXPECT_EQ(0, server.hits("/moved.png"));
    EXPECT_EQ(0, server.hits("/blocked.png"));

    // A server redirect of the page is reported with both addresses.
    client->clear();
    browser->GetMainFrame()->LoadURL(server.url("/hop"));
    const auto redirect = client->waitFor("redirect");
    EXPECT_EQ(server.url("/hop"), redirect.url);
    EXPECT_EQ(server.url("/next"), redirect.text);
    EXPECT_TRUE(client->waitFor("beforeBrowse", server.url("/next")).flag) << "a redirect";
    EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/next")).code);

    // The handler may send the redirect elsewhere.
    client->redirectOverride = server.url("/third");
    client->clear();
    browser->GetMainFrame()->LoadURL(server.url("/hop"));
    EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/third")).code);
    EXPECT_EQ(0, client->count("loadEnd", server.url("/next")));
    EXPECT_EQ(1, client->count("redirect"));
    EXPECT_EQ(server.url("/third"), browser->GetMainFrame()->GetURL().ToString());
}

TEST_F(BrowserEvents, closingAsksTheHandlerWhichMayKeepTheBrowser) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    // The page asks to close its window (allowed while it has no history).
    client->keepOpen = true;
    browser->GetMainFrame()->ExecuteJavaScript("window.close()", "", 0);
    ASSERT_NE("timeout", client->waitFor("doClose").kind);
    // Kept: it still loads pages.
    EXPECT_EQ(200, loadAndWait(server.url("/next")).code);
    EXPECT_EQ(0, client->count("close"));

    client->keepOpen = false;
    client->clear();
    browser->CloseBrowser();
    ASSERT_NE("timeout", client->waitFor("close").kind);
    EXPECT_EQ(1, client->count("doClose"));
    EXPECT_FALSE(browser->GetMainFrame()) << "a closed browser has no frame";
    browser = nullptr;
}

TEST_F(BrowserEvents, setBrowserWindowRectResizesTheBrowserWindow) {
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
    const cef_window_handle_t window = browser->GetWindowHandle();
    ASSERT_NE(cef_window_handle_t{}, window);
    EXPECT_FALSE(CefSetBrowserWindowRect(window + 1, 0, 0, 100, 100)) << "no such window";
    ASSERT_TRUE(CefSetBrowserWindowRect(window, 0, 0, 640, 360));

    // The page sees the new size once the resize reached it.
    auto frame = browser->GetMainFrame();
    std::string source;
    for (int attempt = 0; attempt < 100; ++attempt) {
        frame->ExecuteJavaScript(
            "document.body.setAttribute('data-size', innerWidth + 'x' + innerHeight)", "", 0);
        source = onUi([frame] { return frame->GetSource().ToString(); });
        if (source.find("data-size=\"640x360\"") != std::string::npos)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_NE(std::string::npos, source.find("data-size=\"640x360\"")) << source;
}

TEST_F(BrowserEvents, credentialsComeFromTheRequestHandler) {
    HttpReply secret{200, "text/html", page("<p>secret</p>"), {}, "Basic dXNlcjpzZWNyZXQ="};
    server.route("/private", secret);
    server.route("/closed", secret);
    browser = LiveEngine::openBrowser(client, server.url("/"));
    ASSERT_TRUE(browser);
    ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);

    // Without credentials the server's refusal is the page.
    EXPECT_EQ(401, loadAndWait(server.url("/closed")).code);
    EXPECT_EQ(1, client->count("auth"));

    client->user = "user";
    client->password = "secret";
    client->clear();
    browser->GetMainFrame()->LoadURL(server.url("/private"));
    const auto asked = client->waitFor("auth");
    EXPECT_EQ("127.0.0.1", asked.url);
    EXPECT_EQ(server.port(), asked.code);
    EXPECT_FALSE(asked.flag) << "not a proxy";
    EXPECT_EQ("plenfox", asked.text);
    EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/private")).code);
}

TEST_F(BrowserEvents, browserWithoutVisibleWindowStillLoads) {
    CefWindowInfo windowInfo;
    windowInfo.SetAsOffScreen({});
    LiveEngine::ensureStarted();
    ASSERT_TRUE(CefBrowser::CreateBrowser(windowInfo, client.get(), server.url("/next"),
                                          CefBrowserSettings()));
    ASSERT_NE("timeout", client->waitFor("created").kind);
    browser = client->browser();
    EXPECT_EQ(200, client->waitFor("loadEnd", server.url("/next")).code);
    EXPECT_FALSE(browser->IsPopup());
    auto frame = browser->GetMainFrame();
    std::string text;
    for (int attempt = 0; attempt < 20 && text.find("next") == std::string::npos; ++attempt)
        text = onUi([frame] { return frame->GetText().ToString(); });
    EXPECT_NE(std::string::npos, text.find("next"));
}
