// The update action's road: packages fetched from the addresses the update
// service names go through the same download manager and checks as the
// browser's downloads.
#include "client/model/downloads/PackageFetcher.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "service/UpdateCatalog.h"
#include "service/UpdateServiceThread.h"
#include "tests/client/model/downloads/DownloadFixture.h"

#include "LoopbackHttpServer.h"

#include <QElapsedTimer>
#include <functional>
#include <mutex>
#include <thread>

namespace plenfox::test {
namespace {

namespace fs = std::filesystem;
using client::model::PackageFetcher;

bool waitUntil(const std::function<bool()>& condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > 10000)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

class PackageFetcherTest : public DownloadFixture {
protected:
    PackageFetcher& fetcher() { return *client->getPackageFetcher(); }

    // Fetches the address and waits for the end; the problem reported, or
    // an empty text.
    QString fetch(const QString& url, const QString& page = QStringLiteral("http://site/page")) {
        auto problem = std::make_shared<QString>();
        auto lock = std::make_shared<std::mutex>();
        EXPECT_TRUE(
            fetcher().fetch({url, page, QStringLiteral("Pack")},
                            [problem, lock](const PackageFetcher::Request&, const QString& text) {
                                std::lock_guard guard(*lock);
                                *problem = text;
                            }));
        fetcher().sink();
        flush();
        std::lock_guard guard(*lock);
        return *problem;
    }
    QString local(const std::string& path) const {
        return QString::fromStdString(server.url(path));
    }

    LoopbackHttpServer server;
};

TEST_F(PackageFetcherTest, APackageFromTheServiceIsStoredAsADownloadThePlayerAskedFor) {
    service::UpdateServiceThread service(std::make_shared<const service::UpdateCatalog>(
        service::UpdateCatalog::load(QStringLiteral(PLENFOX_SAMPLE_CATALOG))));
    const QString url = service.baseUrl() + QStringLiteral("/zips/BagSorter-1.7.zip");
    EXPECT_EQ(fetch(url, QStringLiteral("http://site/bags")), QString());
    std::vector<DownloadRecorder::Event> events;
    const QStringList names = eventNames(&events);
    ASSERT_FALSE(names.isEmpty());
    EXPECT_EQ(names.first(), "started");
    EXPECT_EQ(names.last(), "completed");
    const ItemPtr item = manager().getByFile(downloads() / "BagSorter-1.7.zip");
    ASSERT_TRUE(item);
    EXPECT_FALSE(item->inProgress());
    EXPECT_EQ(readFile(item->getFile()),
              service.service().zip(QStringLiteral("BagSorter-1.7.zip")));
    // Installed at once like a click in the browser, and its page is known.
    EXPECT_FALSE(manager().isAwaitingPlayer(*item));
    EXPECT_EQ(manager().getDownloadSource(*item), QStringLiteral("http://site/bags"));
    EXPECT_TRUE(env.logContains(PackageFetcher::Prefix +
                                ".fetch: offered [application/zip] [BagSorter-1.7.zip] ["));
}

TEST_F(PackageFetcherTest, RefusedOrFailedFetchesSayWhyAndLeaveNothingBehind) {
    server.route("/big.zip", HttpReply(200, "application/zip", std::string(41'943'040, 'z')));
    server.route("/guide.pdf", HttpReply(200, "application/pdf", "%PDF-1.4"));
    server.route("/gone.zip", HttpReply(404, "text/html", "not here"));
    HttpReply broken(200, "application/zip", std::string(4000, 'b'));
    broken.breakAfter = 1000;
    server.route("/broken.zip", broken);

    EXPECT_EQ(fetch(local("/big.zip")),
              QStringLiteral("it is larger than 32 MB (the site announced 40.0 MB, 41943040 "
                             "bytes)."));
    EXPECT_EQ(fetch(local("/guide.pdf")),
              QStringLiteral("it is not a zip file (its type is application/pdf)."));
    EXPECT_EQ(fetch(local("/gone.zip")), QStringLiteral("the server answered with the error 404."));
    // A transfer that broke off was listed while it ran, then removed; the
    // download itself says why, so the fetcher does not say it twice.
    eventNames();
    EXPECT_EQ(fetch(local("/broken.zip")), QString());
    std::vector<DownloadRecorder::Event> events;
    EXPECT_EQ(eventNames(&events).last(), QStringLiteral("removed"));
    EXPECT_EQ(events.back().item->getFailure(),
              QStringLiteral("the transfer broke off after 1000 bytes."));
    EXPECT_TRUE(env.logContains(QStringLiteral("] the transfer failed (")));
    EXPECT_TRUE(manager().getDownloads().empty());
    EXPECT_TRUE(!fs::exists(downloads()) || fs::is_empty(downloads()));
    // Only web addresses are fetched.
    EXPECT_FALSE(fetcher().fetch({QStringLiteral("file:///etc/passwd"), {}, {}}, {}));
}

TEST_F(PackageFetcherTest, RedirectsAreFollowedToTheNameTheServerGives) {
    server.route("/start", HttpReply(302, "text/html", "", {{"Location", server.url("/next")}}));
    server.route("/next", HttpReply(302, "text/html", "", {{"Location", server.url("/file")}}));
    server.route("/file", HttpReply(200, "application/x-zip-compressed", "PK-bytes",
                                    {{"Content-Disposition",
                                      "attachment; filename=\"Some Addon 1.2.zip\""}}));
    EXPECT_EQ(fetch(local("/start")), QString());
    const ItemPtr item = manager().getByFile(downloads() / "Some Addon 1.2.zip");
    ASSERT_TRUE(item);
    EXPECT_EQ(readFile(item->getFile()), QByteArray("PK-bytes"));
}

TEST_F(PackageFetcherTest, ShutdownEndsARunningFetchAtOnceAndItsDownloadFails) {
    HttpReply stalled(200, "application/zip", std::string(2000, 's'));
    stalled.holdMs = 60000; // half the body, then nothing for a minute
    server.route("/stalled.zip", stalled);
    ASSERT_TRUE(fetcher().fetch({local("/stalled.zip"), {}, {}}, {}));
    ASSERT_TRUE(waitUntil([this] { return !manager().getDownloads().empty(); }));
    const ItemPtr running = manager().getDownloads().front();
    QElapsedTimer timer;
    timer.start();
    stopClient();
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_FALSE(fs::exists(running->getFile()));
}

TEST(PackageFetcherNamesTest, TheDispositionNameWinsOverTheAddress) {
    EXPECT_EQ(PackageFetcher::dispositionFileName("attachment; filename=\"A b.zip\""),
              QStringLiteral("A b.zip"));
    EXPECT_EQ(PackageFetcher::dispositionFileName("attachment; filename=plain.zip; size=3"),
              QStringLiteral("plain.zip"));
    EXPECT_EQ(PackageFetcher::dispositionFileName(
                  "attachment; filename=\"fallback.zip\"; filename*=UTF-8''%C3%9Cmlaut%201.zip"),
              QStringLiteral("Ümlaut 1.zip"));
    EXPECT_EQ(PackageFetcher::dispositionFileName("attachment; filename=\"a\\\"b.zip\""),
              QStringLiteral("a\"b.zip"));
    EXPECT_TRUE(PackageFetcher::dispositionFileName("inline").isNull());

    const PackageFetcher::Request request{QStringLiteral("http://h/get?id=1"),
                                          QStringLiteral("http://h/page"), QStringLiteral("X")};
    auto offered =
        PackageFetcher::offeredAttributes(request, QStringLiteral("http://h/files/Pack%201.0.zip"),
                                          "application/zip; charset=binary", 1234, QByteArray());
    EXPECT_EQ(offered.fileName, QStringLiteral("Pack 1.0.zip"));
    EXPECT_EQ(offered.mimeType, QStringLiteral("application/zip"));
    EXPECT_EQ(offered.contentLength, 1234);
    EXPECT_EQ(offered.documentUrl, QStringLiteral("http://h/page"));
    EXPECT_EQ(offered.downloadUrl, QStringLiteral("http://h/get?id=1"));
    EXPECT_TRUE(offered.startedByPlayer);
}

} // namespace
} // namespace plenfox::test
