// Downloads from a real browser reach the download handler byte for byte.
#include <atomic>
#include <chrono>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include <QByteArray>
#include <QCryptographicHash>

#include <gtest/gtest.h>

#include "CollectingDownloadHandler.h"
#include "LiveEngine.h"
#include "LoopbackHttpServer.h"
#include "RecordingClient.h"

namespace {

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (auto& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

QByteArray sha256(const std::string& bytes) {
    return QCryptographicHash::hash(
               QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())),
               QCryptographicHash::Sha256)
        .toHex();
}

HttpReply attachment(const std::string& mimeType, const std::string& name, std::string body) {
    return {200,
            mimeType,
            std::move(body),
            {{"Content-Disposition", "attachment; filename=\"" + name + "\""}}};
}

// Waits until the engine's staging folders hold no file.
bool stagingEmpties() {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (LiveEngine::stagingFiles().empty())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

class Downloads : public ::testing::Test {
protected:
    void SetUp() override {
        server.route("/", {200,
                           "text/html",
                           "<html><body><a id='zip' href='/files/addon.zip'>zip</a>"
                           "<a id='pdf' href='/files/manual.pdf'>pdf</a></body></html>",
                           {}});
        client = new RecordingClient();
        // The offer comes once the bytes already flow into the staging folder.
        client->onDownloadOffer = [this] {
            const auto files = LiveEngine::stagingFiles();
            filesAtOffer = files.size();
            for (const auto& file : files)
                pageNamedFile = pageNamedFile || file.find("addon") != std::string::npos ||
                                file.find("manual") != std::string::npos;
        };
    }
    void TearDown() override { LiveEngine::closeBrowser(client, browser); }

    void openStartPage() {
        browser = LiveEngine::openBrowser(client, server.url("/"));
        ASSERT_TRUE(browser);
        ASSERT_EQ(200, client->waitFor("loadEnd", server.url("/")).code);
        client->clear();
    }

    void click(const std::string& id) {
        browser->GetMainFrame()->ExecuteJavaScript("document.getElementById('" + id + "').click()",
                                                   "", 0);
    }

    // Clicks the zip link and checks that the handler receives exactly body.
    void downloadsZipIntact(std::size_t size) {
        const std::string body = randomBytes(size, static_cast<unsigned>(size));
        server.route("/files/addon.zip", attachment("application/zip", "addon.zip", body));
        CefRefPtr<CollectingDownloadHandler> sink = new CollectingDownloadHandler();
        client->downloadHandlerFactory = [sink] {
            return CefRefPtr<CefDownloadHandler>(sink.get());
        };
        openStartPage();
        click("zip");

        const auto offer = client->waitFor("download");
        EXPECT_EQ("application/zip", offer.mimeType);
        EXPECT_EQ("addon.zip", offer.text);
        EXPECT_EQ(static_cast<long long>(size), offer.length);
        EXPECT_EQ(1u, filesAtOffer.load());
        EXPECT_FALSE(pageNamedFile.load()) << "staged under the engine's own name";
        for (int attempt = 0; attempt < 600 && !sink->completed(); ++attempt)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        ASSERT_TRUE(sink->completed());
        EXPECT_EQ(size, sink->bytes().size());
        EXPECT_EQ(sha256(body), sha256(sink->bytes()));
        EXPECT_TRUE(sink->onlyOnIo());
        EXPECT_TRUE(stagingEmpties());
        // The page stayed as it was: no load of the download, and no error.
        EXPECT_EQ(0, client->count("loadError"));
        EXPECT_EQ(0, client->count("loadStart"));
        EXPECT_EQ(server.url("/"), browser->GetMainFrame()->GetURL().ToString());
    }

    LoopbackHttpServer server;
    CefRefPtr<RecordingClient> client;
    CefRefPtr<CefBrowser> browser;
    std::atomic<std::size_t> filesAtOffer{0};
    // A staging file carried the name the page suggested.
    std::atomic<bool> pageNamedFile{false};
};

} // namespace

TEST_F(Downloads, smallZipArrivesByteIdentical) {
    downloadsZipIntact(2 * 1024 * 1024);
}

TEST_F(Downloads, largeZipArrivesByteIdentical) {
    downloadsZipIntact(32 * 1024 * 1024);
}

TEST_F(Downloads, refusedDownloadLeavesNothingBehind) {
    server.route("/files/manual.pdf",
                 attachment("application/pdf", "manual.pdf", randomBytes(3 * 1024 * 1024, 7)));
    openStartPage();
    click("pdf");
    const auto offer = client->waitFor("download");
    EXPECT_EQ("application/pdf", offer.mimeType);
    EXPECT_EQ("manual.pdf", offer.text);
    EXPECT_EQ(1u, filesAtOffer.load());
    EXPECT_TRUE(stagingEmpties());
}

TEST_F(Downloads, handlerRefusingMoreDataCancelsAndCleansUp) {
    server.route("/files/addon.zip",
                 attachment("application/zip", "addon.zip", randomBytes(48 * 1024 * 1024, 11)));
    CefRefPtr<CollectingDownloadHandler> sink = new CollectingDownloadHandler(1);
    client->downloadHandlerFactory = [sink] { return CefRefPtr<CefDownloadHandler>(sink.get()); };
    openStartPage();
    click("zip");
    ASSERT_NE("timeout", client->waitFor("download").kind);
    EXPECT_EQ(1u, filesAtOffer.load());
    for (int attempt = 0; attempt < 200 && sink->calls() == 0; ++attempt)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_TRUE(stagingEmpties());
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(1, sink->calls()) << "no data after the handler said no";
    EXPECT_FALSE(sink->completed());
}

TEST_F(Downloads, brokenTransferIsNeverReportedComplete) {
    HttpReply broken = attachment("application/zip", "addon.zip", randomBytes(8 * 1024 * 1024, 5));
    broken.breakAfter = 3 * 1024 * 1024;
    server.route("/files/addon.zip", broken);
    // Chromium may try again; each try is a download of its own.
    std::mutex lock;
    std::vector<CefRefPtr<CollectingDownloadHandler>> sinks;
    client->downloadHandlerFactory = [&] {
        std::lock_guard guard(lock);
        sinks.push_back(new CollectingDownloadHandler());
        return CefRefPtr<CefDownloadHandler>(sinks.back().get());
    };
    openStartPage();
    click("zip");
    EXPECT_EQ(8 * 1024 * 1024, client->waitFor("download").length);
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    EXPECT_TRUE(stagingEmpties()) << "interrupted downloads are cleaned up";
    std::lock_guard guard(lock);
    ASSERT_FALSE(sinks.empty());
    for (const auto& sink : sinks) {
        EXPECT_FALSE(sink->completed());
        EXPECT_LE(sink->bytes().size(), 3u * 1024 * 1024) << "bytes of one transfer only";
    }
}
