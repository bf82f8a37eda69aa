// Downloads as real sites send them, the whole road: the real browser, the
// bridge, the wrapper, the client's download handler, recognizer and
// download manager. What the player would see: the rows of the download
// list, the files of the downloads folder, the download events.
#include "ChainClient.h"
#include "ChainEngine.h"
#include "LoopbackHttpServer.h"
#include "RandomBytes.h"
#include "browser/wrapper/CefFrame.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/RecognizedItem.h"
#include "client/ui/DownloadHandlerAdapter.h"
#include "lib/util/Paths.h"
#include "tests/client/model/downloads/DownloadFixture.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

namespace fs = std::filesystem;

// A real addon package made with the zip tool, about noiseBytes large.
std::string addonZip(const QString& addon, int noiseBytes) {
    QTemporaryDir folder;
    QDir(folder.path()).mkpath(addon);
    writeFile(
        fs::path(folder.filePath(addon + u'/' + addon + QStringLiteral(".toc")).toStdString()),
        "## Interface: 100200\n## Title: " + addon.toUtf8() + "\n## Version: 1.0\n");
    writeFile(fs::path(folder.filePath(addon + QStringLiteral("/noise.bin")).toStdString()),
              QByteArray::fromStdString(randomBytes(std::size_t(noiseBytes), 3)));
    QProcess zip;
    zip.setWorkingDirectory(folder.path());
    zip.start(QStringLiteral("zip"), {QStringLiteral("-qr"), QStringLiteral("package.zip"), addon});
    zip.waitForFinished();
    return readFile(fs::path(folder.filePath(QStringLiteral("package.zip")).toStdString()))
        .toStdString();
}

class DownloadRoad : public ::testing::Test {
protected:
    void SetUp() override {
        ChainEngine::factory();
        model = std::make_unique<client::model::Client>(
            &recorder, std::make_unique<client::model::ClientRepository>(dataFolder()),
            undetectedInstallation());
        ASSERT_TRUE(model->initialize());
        recorder.take();
        server.route("/page.html",
                     {200,
                      "text/html",
                      "<html><body><a id='zip' href='/files/addon.zip'>zip</a>"
                      "<a id='slow' href='/files/slow.zip'>slow</a>"
                      "<a id='moved' href='/files/moved'>moved</a>"
                      "<a id='missing' href='/files/missing.zip'>missing</a></body></html>",
                      {}});
        // The client's own way of taking a download.
        client->downloadHandlerFactory =
            [this](const QString& mimeType, const QString& fileName,
                   std::int64_t length) -> std::shared_ptr<cef::CefDownloadHandler> {
            return client::ui::DownloadHandlerAdapter::accept(
                *model->getDownloadRecognizer(),
                {fileName, length, mimeType, pageUrl(), QString()});
        };
        widget.resize(800, 600);
        widget.winId();
    }

    void TearDown() override {
        if (auto browser = client->browser()) {
            browser->close();
            ChainEngine::waitFor([this] { return client->has(QStringLiteral("close")); });
            browser->dispose();
        }
        model->shutdown();
    }

    fs::path dataFolder() const { return fs::path(folder.path().toStdString()) / "data"; }
    fs::path downloads() const { return dataFolder() / "downloads"; }
    QString pageUrl() const { return QString::fromStdString(server.url("/page.html")); }

    void openPage() {
        cef::CefFactory& factory = ChainEngine::factory();
        auto windowInfo = factory.createWindowInfo();
        windowInfo->setChild(&widget, cef::CefRect(0, 0, 800, 600));
        auto browserSettings = factory.createBrowserSettings();
        factory.createBrowser(windowInfo, client, pageUrl(), browserSettings);
        windowInfo->dispose();
        browserSettings->dispose();
        ASSERT_TRUE(ChainEngine::waitFor([this] {
            return client->browser() && client->has(QStringLiteral("loadEnd"), pageUrl());
        })) << "the page did not load";
    }

    // Clicks a 2 MB zip that arrives 16 KiB every 50 ms, and waits for its
    // first bytes.
    void startSlowDownload() {
        HttpReply slow =
            HttpReply::attachment("application/zip", "Slow.zip", randomBytes(2 * 1024 * 1024, 5));
        slow.pieceBytes = 16 * 1024;
        slow.pieceIntervalMs = 50;
        server.route("/files/slow.zip", slow);
        openPage();
        click("slow");
        ASSERT_TRUE(ChainEngine::waitFor([this] {
            const auto listed = model->getDownloadManager()->getDownloads();
            return !listed.empty() && listed.front()->getCurrentSize() > 0;
        })) << "the download never started arriving";
    }

    void click(const char* id) {
        auto frame = client->browser()->getMainFrame();
        ASSERT_TRUE(frame);
        frame->executeJavaScript(
            QStringLiteral("document.getElementById('%1').click()").arg(QString::fromLatin1(id)),
            QString(), 0);
        frame->dispose();
    }

    // The download events delivered so far, gathered until count of them
    // ended a download (completed or removed).
    QStringList eventsUntilEnds(int count = 1) {
        QStringList names;
        const auto ends = [&names] {
            return names.count(QStringLiteral("completed")) +
                   names.count(QStringLiteral("removed"));
        };
        ChainEngine::waitFor([&] {
            for (const auto& event : recorder.take())
                names << event.name;
            return ends() >= count;
        });
        settle(*model);
        for (const auto& event : recorder.take())
            names << event.name;
        return names;
    }

    std::vector<fs::path> filesInDownloads() const {
        std::vector<fs::path> files;
        for (const auto& entry : fs::directory_iterator(downloads()))
            files.push_back(entry.path().filename());
        return files;
    }

    // The download of the file finished, listed and recognized as an addon
    // package, its file byte for byte the body.
    void expectFinishedAddon(const fs::path& name, const std::string& body) {
        const auto item = model->getDownloadManager()->getByFile(downloads() / name);
        ASSERT_TRUE(item) << name;
        EXPECT_FALSE(item->inProgress());
        EXPECT_EQ(item->getTotalSize(), qint64(body.size()));
        EXPECT_EQ(readFile(downloads() / name).toStdString(), body);
        const auto recognized = model->getDownloadRecognizer()->lookup(item);
        ASSERT_TRUE(recognized);
        EXPECT_TRUE(recognized->isWowAddon());
    }

    // The process's one App (the chain's environment) logs; each test has a
    // data folder of its own.
    QTemporaryDir folder;
    DownloadRecorder recorder;
    std::unique_ptr<client::model::Client> model;
    LoopbackHttpServer server;
    QWidget widget;
    std::shared_ptr<ChainClient> client = std::make_shared<ChainClient>();
};

TEST_F(DownloadRoad, ChunkedZipWhoseFirstChunkComesLateArrivesWhole) {
    const std::string zip = addonZip(QStringLiteral("Late"), 200 * 1024);
    HttpReply chunked = HttpReply::attachment("application/zip", "Late.zip", zip);
    chunked.chunked = true;
    chunked.firstByteDelayMs = 800;
    server.route("/files/addon.zip", chunked);
    openPage();
    click("zip");
    const QStringList events = eventsUntilEnds();
    EXPECT_EQ(events.first(), QStringLiteral("started"));
    EXPECT_EQ(events.last(), QStringLiteral("completed"));
    expectFinishedAddon("Late.zip", zip);
    EXPECT_EQ(filesInDownloads(), std::vector<fs::path>{"Late.zip"});
}

TEST_F(DownloadRoad, GzipEncodedZipArrivesAsTheZip) {
    const std::string zip = addonZip(QStringLiteral("Packed"), 100 * 1024);
    HttpReply encoded = HttpReply::attachment("application/zip", "Packed.zip", zip);
    encoded.gzip = true;
    server.route("/files/addon.zip", encoded);
    openPage();
    click("zip");
    EXPECT_EQ(eventsUntilEnds().last(), QStringLiteral("completed"));
    expectFinishedAddon("Packed.zip", zip);
}

TEST_F(DownloadRoad, RedirectChainToAGenericTypeIsTakenByItsZipName) {
    const std::string zip = addonZip(QStringLiteral("Some"), 100 * 1024);
    server.route("/files/moved", {302, "text/html", "", {{"Location", "/files/moved-again"}}});
    server.route("/files/moved-again", {302, "text/html", "", {{"Location", "/files/get?id=3"}}});
    server.route("/files/get",
                 HttpReply::attachment("application/octet-stream", "Some Addon 1.2.zip", zip));
    openPage();
    click("moved");
    EXPECT_EQ(eventsUntilEnds().last(), QStringLiteral("completed"));
    expectFinishedAddon("Some Addon 1.2.zip", zip);

    // The same generic type under another name is refused: no row, no file.
    recorder.take();
    client->clear();
    server.route("/files/get",
                 HttpReply::attachment("application/octet-stream", "manual.pdf", zip));
    click("moved");
    ASSERT_TRUE(ChainEngine::waitFor([this] { return client->has(QStringLiteral("download")); }));
    settle(*model);
    EXPECT_TRUE(recorder.take().empty());
    EXPECT_EQ(filesInDownloads(), std::vector<fs::path>{"Some Addon 1.2.zip"});
}

TEST_F(DownloadRoad, SlowTrickleShowsProgressAndCompletes) {
    const std::string zip = addonZip(QStringLiteral("Slow"), 96 * 1024);
    HttpReply trickle = HttpReply::attachment("application/zip", "Slow.zip", zip);
    trickle.pieceBytes = 4 * 1024;
    trickle.pieceIntervalMs = 60; // about 1.5 s in all
    server.route("/files/slow.zip", trickle);
    openPage();
    click("slow");
    const QStringList events = eventsUntilEnds();
    EXPECT_GE(events.count(QStringLiteral("progress")), 2) << events.join(u',').toStdString();
    EXPECT_EQ(events.last(), QStringLiteral("completed"));
    expectFinishedAddon("Slow.zip", zip);
}

TEST_F(DownloadRoad, TwoDownloadsAtOnceEachEndUpWhole) {
    const std::string slowZip = addonZip(QStringLiteral("Slow"), 96 * 1024);
    const std::string fastZip = addonZip(QStringLiteral("Fast"), 512 * 1024);
    HttpReply slow = HttpReply::attachment("application/zip", "Slow.zip", slowZip);
    slow.pieceBytes = 8 * 1024;
    slow.pieceIntervalMs = 80;
    server.route("/files/slow.zip", slow);
    server.route("/files/addon.zip", HttpReply::attachment("application/zip", "Fast.zip", fastZip));
    openPage();
    click("slow");
    ASSERT_TRUE(ChainEngine::waitFor([this] { return client->has(QStringLiteral("download")); }));
    click("zip");
    const QStringList events = eventsUntilEnds(2);
    EXPECT_EQ(events.count(QStringLiteral("completed")), 2) << events.join(u',').toStdString();
    expectFinishedAddon("Slow.zip", slowZip);
    expectFinishedAddon("Fast.zip", fastZip);
}

TEST_F(DownloadRoad, TransferClosedHalfWayLeavesNoRowAndNoFileNowOrAfterARestart) {
    // Announces 1 MB, closes after 400 KB.
    HttpReply broken =
        HttpReply::attachment("application/zip", "Broken.zip", randomBytes(1024 * 1024, 9));
    broken.breakAfter = 400 * 1024;
    server.route("/files/addon.zip", broken);
    openPage();
    click("zip");
    const QStringList events = eventsUntilEnds();
    EXPECT_EQ(events.first(), QStringLiteral("started"));
    EXPECT_EQ(events.last(), QStringLiteral("removed"));
    EXPECT_FALSE(events.contains(QStringLiteral("completed")));
    // The browser may try once more on its own; that try fails the same way.
    ChainEngine::waitFor([] { return false; }, 1000);
    settle(*model);
    EXPECT_TRUE(model->getDownloadManager()->getDownloads().empty());
    EXPECT_TRUE(filesInDownloads().empty());
    model->getDownloadManager()->refresh();
    EXPECT_TRUE(model->getDownloadManager()->getDownloads().empty());
}

TEST_F(DownloadRoad, MissingDownloadShowsTheServersPageAndNoRow) {
    server.route("/files/missing.zip",
                 {404, "text/html", "<html><body>no such addon</body></html>", {}});
    openPage();
    click("missing");
    const QString missing = QString::fromStdString(server.url("/files/missing.zip"));
    ASSERT_TRUE(
        ChainEngine::waitFor([&] { return client->has(QStringLiteral("loadEnd"), missing); }));
    settle(*model);
    EXPECT_FALSE(client->has(QStringLiteral("download")));
    EXPECT_TRUE(recorder.take().empty());
    EXPECT_TRUE(filesInDownloads().empty());
}

TEST_F(DownloadRoad, ServerAnsweringHeadDifferentlyGetsItsGetAnswerDownloaded) {
    const std::string zip = addonZip(QStringLiteral("Head"), 64 * 1024);
    server.route("/files/addon.zip", HttpReply::attachment("application/zip", "Head.zip", zip));
    server.routeHead("/files/addon.zip", {405, "text/html", "<html>use GET</html>", {}});
    openPage();
    click("zip");
    EXPECT_EQ(eventsUntilEnds().last(), QStringLiteral("completed"));
    expectFinishedAddon("Head.zip", zip);
}

// The engine shut down while a browser is open and a download arrives: the
// browser closes while the engine still runs, and the download ends as a
// failed one. Runs in a process of its own (see CMakeLists.txt).
using DownloadRoadShutdown = DownloadRoad;

TEST_F(DownloadRoadShutdown, WithABrowserOpenAndADownloadArrivingEndsTheDownloadAsFailed) {
    ASSERT_NO_FATAL_FAILURE(startSlowDownload());

    ChainEngine::shutdownEngine();
    EXPECT_TRUE(client->has(QStringLiteral("close"))) << "the browser closed before the end";
    settle(*model);
    QStringList names;
    for (const auto& event : recorder.take())
        names << event.name;
    EXPECT_EQ(names.first(), QStringLiteral("started"));
    EXPECT_EQ(names.last(), QStringLiteral("removed")) << names.join(u',').toStdString();
    EXPECT_FALSE(names.contains(QStringLiteral("completed")));
    EXPECT_TRUE(model->getDownloadManager()->getDownloads().empty());
    EXPECT_TRUE(filesInDownloads().empty()) << "no partial file is left";
    EXPECT_TRUE(ChainEngine::waitForEngineThreadsToEnd());
}

// The program ends its client first and only then the engine, which ends the
// running download: the download has nobody to report to any more, and must
// still leave nothing behind for the next start.
using DownloadRoadShutdownClientFirst = DownloadRoad;

TEST_F(DownloadRoadShutdownClientFirst, LeavesNoPartialFileAndNothingListedAtTheNextStart) {
    ASSERT_NO_FATAL_FAILURE(startSlowDownload());

    model->shutdown();
    ChainEngine::shutdownEngine();
    EXPECT_TRUE(client->has(QStringLiteral("close")));
    EXPECT_TRUE(ChainEngine::waitForEngineThreadsToEnd());
    EXPECT_TRUE(filesInDownloads().empty()) << "no partial file is left";

    client::model::Client next(&recorder,
                               std::make_unique<client::model::ClientRepository>(dataFolder()),
                               undetectedInstallation());
    ASSERT_TRUE(next.initialize());
    EXPECT_TRUE(next.getDownloadManager()->getDownloads().empty());
    next.shutdown();
}

// The client's handler shuts the engine down from inside its complete(), on
// the engine's IO thread, after the client took the finished download.
class ShuttingDownHandler final : public cef::CefDownloadHandler {
public:
    ShuttingDownHandler(std::shared_ptr<cef::CefDownloadHandler> inner, cef::CefFactory& factory)
        : inner(std::move(inner)), factory(factory) {}
    bool receivedData(std::span<const std::byte> data) override {
        return inner->receivedData(data);
    }
    void complete() override {
        inner->complete();
        factory.shutdown();
        stopped = true;
    }
    std::atomic<bool> stopped{false};

private:
    std::shared_ptr<cef::CefDownloadHandler> inner;
    cef::CefFactory& factory;
};

using DownloadRoadShutdownInsideComplete = DownloadRoad;

TEST_F(DownloadRoadShutdownInsideComplete, KeepsTheFinishedDownloadAndEndsCleanly) {
    const std::string zip = addonZip(QStringLiteral("Last"), 64 * 1024);
    server.route("/files/addon.zip", HttpReply::attachment("application/zip", "Last.zip", zip));
    std::shared_ptr<ShuttingDownHandler> handler;
    const auto accept = client->downloadHandlerFactory;
    client->downloadHandlerFactory = [&](const QString& mimeType, const QString& fileName,
                                         std::int64_t length) {
        handler = std::make_shared<ShuttingDownHandler>(accept(mimeType, fileName, length),
                                                        ChainEngine::factory());
        return std::shared_ptr<cef::CefDownloadHandler>(handler);
    };
    openPage();
    click("zip");
    ASSERT_TRUE(ChainEngine::waitFor([&] { return handler && handler->stopped; }))
        << "complete() never came, or shutdown inside it never returned";
    EXPECT_TRUE(client->has(QStringLiteral("close")));
    EXPECT_TRUE(ChainEngine::waitForEngineThreadsToEnd());
    // Once the engine let go of it, the handler is the test's alone.
    EXPECT_TRUE(ChainEngine::waitFor([&] { return handler.use_count() == 1; }));
    EXPECT_EQ(eventsUntilEnds().last(), QStringLiteral("completed"));
    expectFinishedAddon("Last.zip", zip);
}

} // namespace
} // namespace plenfox::test
