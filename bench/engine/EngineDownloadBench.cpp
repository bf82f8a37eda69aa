// Times the download road: a 64 MiB file from a loopback server, clicked in a
// real browser and streamed through ReceivedData into a file, against curl
// fetching the same file into a file, alternating the two in one run.
//
//   EngineDownloadBench [repetitions]
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <future>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

#include "LoopbackHttpServer.h"
#include "cef.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::size_t FileSize = 64 * 1024 * 1024;

// Writes what arrives into a file, as the client's downloader does.
class FileWritingHandler : public CefDownloadHandler {
public:
    explicit FileWritingHandler(const std::string& path) : file_(std::fopen(path.c_str(), "wb")) {}
    ~FileWritingHandler() override {
        if (file_)
            std::fclose(file_);
    }
    bool ReceivedData(void* data, int size) override {
        received += static_cast<std::size_t>(size);
        return std::fwrite(data, 1, static_cast<std::size_t>(size), file_) ==
               static_cast<std::size_t>(size);
    }
    void Complete() override {
        std::fclose(file_);
        file_ = nullptr;
        done.set_value(Clock::now());
    }
    std::atomic<std::size_t> received{0};
    std::promise<Clock::time_point> done;

private:
    std::FILE* file_;
    IMPLEMENT_REFCOUNTING(FileWritingHandler)
};

class BenchClient : public CefClient, public CefLifeSpanHandler, public CefRequestHandler {
public:
    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override { created.set_value(browser); }
    bool GetDownloadHandler(CefRefPtr<CefBrowser>, const CefString&, const CefString&, int64,
                            CefRefPtr<CefDownloadHandler>& handler) override {
        offered = Clock::now();
        handler = next;
        return true;
    }
    std::promise<CefRefPtr<CefBrowser>> created;
    CefRefPtr<FileWritingHandler> next;
    Clock::time_point offered;
    IMPLEMENT_REFCOUNTING(BenchClient)
};

double seconds(Clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

double curlOnce(const std::string& url, const std::string& target) {
    const char* argv[] = {"curl", "-s", "-o", target.c_str(), url.c_str(), nullptr};
    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawnp(&pid, "curl", nullptr, nullptr, const_cast<char**>(argv), environ) != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const auto end = Clock::now();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? seconds(end - start) : -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
    const auto folder = std::filesystem::temp_directory_path() / "engine-bench";
    std::filesystem::create_directories(folder);

    std::string body(FileSize, '\0');
    std::mt19937_64 generator(1);
    for (std::size_t i = 0; i + 8 <= body.size(); i += 8) {
        const auto value = generator();
        std::memcpy(&body[i], &value, 8);
    }
    LoopbackHttpServer server;
    server.route("/", {200, "text/html", "<a id='zip' href='/big.zip'>zip</a>", {}});
    server.route("/big.zip", {200,
                              "application/zip",
                              std::move(body),
                              {{"Content-Disposition", "attachment; filename=\"big.zip\""}}});

    CefSettings settings;
    settings.multi_threaded_message_loop = true;
    if (!CefInitialize(settings, nullptr)) {
        std::fprintf(stderr, "engine did not start\n");
        return 1;
    }
    CefRefPtr<BenchClient> client = new BenchClient();
    CefWindowInfo windowInfo;
    CefBrowser::CreateBrowser(windowInfo, client.get(), server.url("/"), CefBrowserSettings());
    CefRefPtr<CefBrowser> browser = client->created.get_future().get();
    std::this_thread::sleep_for(std::chrono::seconds(2)); // the start page loads

    std::vector<double> engineTimes;
    std::vector<double> offerTimes;
    std::vector<double> curlTimes;
    for (int i = 0; i < repetitions; ++i) {
        const std::string target = (folder / "engine.zip").string();
        client->next = new FileWritingHandler(target);
        auto done = client->next->done.get_future();
        const auto start = Clock::now();
        browser->GetMainFrame()->ExecuteJavaScript("document.getElementById('zip').click()", "", 0);
        if (done.wait_for(std::chrono::seconds(120)) != std::future_status::ready) {
            std::fprintf(stderr, "download did not complete\n");
            return 1;
        }
        const auto end = done.get();
        if (client->next->received != FileSize || std::filesystem::file_size(target) != FileSize) {
            std::fprintf(stderr, "download incomplete\n");
            return 1;
        }
        engineTimes.push_back(seconds(end - start));
        offerTimes.push_back(seconds(end - client->offered));
        client->next = nullptr;
        curlTimes.push_back(curlOnce(server.url("/big.zip"), (folder / "curl.zip").string()));
        std::printf("run %d: engine %.3f s (offer to complete %.3f s), curl %.3f s\n", i + 1,
                    engineTimes.back(), offerTimes.back(), curlTimes.back());
    }
    browser->CloseBrowser();
    browser = nullptr;
    CefShutdown();
    std::filesystem::remove_all(folder);

    const double engine = median(engineTimes);
    const double curl = median(curlTimes);
    std::printf("median of %d: engine %.3f s (offer to complete %.3f s), curl %.3f s, ratio %.2f\n",
                repetitions, engine, median(offerTimes), curl, engine / curl);
    return 0;
}
