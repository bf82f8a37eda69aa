// Times a page of 200 images in a real browser through the whole chain
// (wrapper, the client's Java-ABI environment, bridge, engine), offscreen:
// once with a request handler that is asked about every sub-resource on the
// GUI thread and writes a log line for each, as the Web tab's handler does,
// once with a client that has no request handler. The two alternate.
//
//   ResourceCheckBench [repetitions]
#include "browser/wrapper/CefBrowser.h"
#include "browser/wrapper/CefBrowserSettings.h"
#include "browser/wrapper/CefClientAdapter.h"
#include "browser/wrapper/CefDisposingHandlerAdapter.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefRequest.h"
#include "browser/wrapper/CefSettings.h"
#include "browser/wrapper/CefWindowInfo.h"
#include "browser/wrapper/NativeCefFactory.h"
#include "client/model/App.h"

#include "LoopbackHttpServer.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using plenfox::client::App;
namespace cef = plenfox::cef;

constexpr int Images = 200;

// The smallest GIF: one transparent pixel.
const std::string Pixel("GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\x00\xff\xff\xff\x21\xf9\x04"
                        "\x01\x00\x00\x00\x00\x2c\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02"
                        "\x44\x01\x00\x3b",
                        43);

// Asked about every resource; logs each, then disposes what it was given.
class LoggingRequests final : public cef::CefDisposingHandlerAdapter {
public:
    bool onBeforeResourceLoad(std::shared_ptr<cef::CefBrowser> browser,
                              std::shared_ptr<cef::CefRequest> request,
                              std::shared_ptr<cef::CefStringBox> redirectUrl,
                              std::shared_ptr<cef::CefStreamReaderBox> resourceStream,
                              std::shared_ptr<cef::CefResponse> response,
                              std::int32_t loadFlags) override {
        const auto start = Clock::now();
        App::log(QStringLiteral("ResourceCheckBench.onBeforeResourceLoad(") +
                 (request ? request->getURL() : QString()) + QLatin1Char(')'));
        ++calls;
        const bool cancelled = CefDisposingHandlerAdapter::onBeforeResourceLoad(
            std::move(browser), std::move(request), std::move(redirectUrl),
            std::move(resourceStream), std::move(response), loadFlags);
        insideNs +=
            std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now() - start).count();
        return cancelled;
    }
    std::atomic<int> calls{0};
    // Time spent inside the handler (reading the URL, the log line, disposing).
    std::atomic<long long> insideNs{0};
};

class BenchClient final : public cef::CefClientAdapter,
                          public cef::CefLifeSpanHandler,
                          public cef::CefLoadHandler {
public:
    std::shared_ptr<cef::CefLifeSpanHandler> getLifeSpanHandler() override {
        return std::dynamic_pointer_cast<cef::CefLifeSpanHandler>(shared_from_this());
    }
    std::shared_ptr<cef::CefLoadHandler> getLoadHandler() override {
        return std::dynamic_pointer_cast<cef::CefLoadHandler>(shared_from_this());
    }
    std::shared_ptr<cef::CefRequestHandler> getRequestHandler() override {
        return asked ? requests : nullptr;
    }
    bool onBeforePopup(std::shared_ptr<cef::CefBrowser>, std::shared_ptr<cef::CefPopupFeatures>,
                       std::shared_ptr<cef::CefWindowInfo>, QString,
                       std::shared_ptr<cef::CefClientBox>,
                       std::shared_ptr<cef::CefBrowserSettings>) override {
        return true;
    }
    void onAfterCreated(std::shared_ptr<cef::CefBrowser> created) override { browser = created; }
    bool runModal(std::shared_ptr<cef::CefBrowser>) override { return false; }
    bool doClose(std::shared_ptr<cef::CefBrowser>) override { return false; }
    void onBeforeClose(std::shared_ptr<cef::CefBrowser>) override { closed = true; }
    void onLoadStart(std::shared_ptr<cef::CefBrowser> b,
                     std::shared_ptr<cef::CefFrame> f) override {
        if (f)
            f->dispose();
        if (b && b != browser)
            b->dispose();
    }
    void onLoadEnd(std::shared_ptr<cef::CefBrowser> b, std::shared_ptr<cef::CefFrame> f,
                   std::int32_t) override {
        if (f && f->isMain())
            ended = Clock::now();
        if (f)
            f->dispose();
        if (b && b != browser)
            b->dispose();
    }
    bool onLoadError(std::shared_ptr<cef::CefBrowser>, std::shared_ptr<cef::CefFrame> f,
                     std::optional<cef::CefHandlerErrorCode>, QString,
                     std::shared_ptr<cef::CefStringBox>) override {
        if (f)
            f->dispose();
        return false;
    }

    bool asked = true;
    std::shared_ptr<LoggingRequests> requests = std::make_shared<LoggingRequests>();
    std::shared_ptr<cef::CefBrowser> browser;
    std::optional<Clock::time_point> ended;
    bool closed = false;
};

bool waitFor(const std::function<bool()>& condition, int milliseconds = 60000) {
    QDeadlineTimer deadline(milliseconds);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication application(argc, argv);
    QTemporaryDir logFolder;
    App app(logFolder.path());

    LoopbackHttpServer server;
    for (int i = 0; i < Images; ++i)
        server.route("/img/" + std::to_string(i) + ".gif", {200, "image/gif", Pixel, {}});
    // The query makes every load's images new to the browser's cache.
    const auto page = [](int run) {
        std::string html = "<html><body>";
        for (int i = 0; i < Images; ++i)
            html += "<img src='/img/" + std::to_string(i) + ".gif?r=" + std::to_string(run) + "'>";
        return html + "</body></html>";
    };

    cef::NativeCefFactory factory(PLENFOX_NATIVE_LIBRARY_DIR);
    auto settings = factory.createSettings();
    settings->setMultiThreadedMessageLoop(true);
    if (!factory.initialize(settings, nullptr)) {
        std::fprintf(stderr, "engine did not start\n");
        return 1;
    }
    auto client = std::make_shared<BenchClient>();
    auto windowInfo = factory.createWindowInfo();
    auto browserSettings = factory.createBrowserSettings();
    server.route("/start.html", {200, "text/html", "<html><body>start</body></html>", {}});
    factory.createBrowser(windowInfo, client, QString::fromStdString(server.url("/start.html")),
                          browserSettings);
    windowInfo->dispose();
    browserSettings->dispose();
    if (!waitFor([&] { return client->browser && client->ended; })) {
        std::fprintf(stderr, "no browser\n");
        return 1;
    }

    std::vector<double> askedMs, notAskedMs;
    int run = 0;
    for (int i = 0; i < repetitions; ++i) {
        for (const bool asked : {true, false}) {
            server.route("/page" + std::to_string(run) + ".html",
                         {200, "text/html", page(run), {}});
            client->asked = asked;
            client->ended.reset();
            const int callsBefore = client->requests->calls;
            const long long insideBefore = client->requests->insideNs;
            auto frame = client->browser->getMainFrame();
            const auto start = Clock::now();
            frame->loadURL(
                QString::fromStdString(server.url("/page" + std::to_string(run) + ".html")));
            frame->dispose();
            if (!waitFor([&] { return client->ended.has_value(); })) {
                std::fprintf(stderr, "page did not load\n");
                return 1;
            }
            const double ms =
                std::chrono::duration<double, std::milli>(*client->ended - start).count();
            (asked ? askedMs : notAskedMs).push_back(ms);
            const int calls = client->requests->calls - callsBefore;
            const double insideMs = (client->requests->insideNs - insideBefore) / 1e6;
            std::printf("run %d %-9s %7.1f ms, %d handler calls, %.1f ms inside the handler "
                        "(%.0f us each)\n",
                        run, asked ? "asked" : "not asked", ms, calls, insideMs,
                        calls ? insideMs * 1000 / calls : 0.0);
            ++run;
        }
    }
    std::printf("median: asked %.1f ms, not asked %.1f ms, difference %.1f ms for %d images "
                "(%.3f ms per resource)\n",
                median(askedMs), median(notAskedMs), median(askedMs) - median(notAskedMs), Images,
                (median(askedMs) - median(notAskedMs)) / Images);

    client->browser->close();
    waitFor([&] { return client->closed; }, 10000);
    client->browser->dispose();
    settings->dispose();
    factory.shutdown();
    waitFor([] { return false; }, 200);
    return 0;
}
