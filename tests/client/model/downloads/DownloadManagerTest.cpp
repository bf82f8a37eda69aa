#include "client/model/downloads/DownloadRecognizer.h"
#include "lib/util/Paths.h"
#include "tests/client/model/downloads/DownloadFixture.h"

#include <QRegularExpression>
#include <set>

#if defined(__linux__)
#include <csignal>
#include <sys/resource.h>
#endif

namespace plenfox::test {
namespace {

namespace fs = std::filesystem;
using client::model::DownloadManager;
using DownloadManagerTest = DownloadFixture;

TEST_F(DownloadManagerTest, SameNameReplacesTheOldEntryAndItsFile) {
    auto old = start(QStringLiteral("addon.zip"), 4);
    ASSERT_TRUE(old->receivedData("abcd"));
    old->complete();
    auto replacement = start(QStringLiteral("addon.zip"), 2);
    std::vector<DownloadRecorder::Event> seen;
    EXPECT_EQ(eventNames(&seen),
              (QStringList{"started", "progress", "completed", "removed", "started"}));
    EXPECT_EQ(seen[3].item, ItemPtr(old));
    EXPECT_EQ(seen[4].item, ItemPtr(replacement));
    EXPECT_EQ(manager().getDownloads(), std::vector{ItemPtr(replacement)});
    EXPECT_EQ(readFile(downloads() / "addon.zip"), QByteArray());

    // A download replaced while still arriving stops and reports nothing
    // more, so its shortfall cannot delete the newer download's file.
    auto running = start(QStringLiteral("run.zip"), 10);
    ASSERT_TRUE(running->receivedData("12345"));
    auto newer = start(QStringLiteral("run.zip"), 3);
    EXPECT_FALSE(running->receivedData("678"));
    running->complete();
    manager().onDownloadFailed(running); // a late report of the replaced one
    ASSERT_TRUE(newer->receivedData("xyz"));
    newer->complete();
    EXPECT_EQ(readFile(downloads() / "run.zip"), QByteArray("xyz"));
    EXPECT_EQ(manager().getByFile(downloads() / "run.zip"), ItemPtr(newer));
    const QStringList later = eventNames();
    EXPECT_EQ(later.count(QStringLiteral("removed")), 1);
    EXPECT_EQ(later.last(), QStringLiteral("completed"));
}

TEST_F(DownloadManagerTest, ProgressFirstBlockAtOnceThenAtMostOncePerSecond) {
    auto download = start(QStringLiteral("p.zip"), 0);
    for (const qint64 step : {0, 999, 1, 500}) { // reported at steps 1 and 3
        now += step;
        EXPECT_TRUE(download->receivedData("a"));
    }
    EXPECT_EQ(download->getCurrentSize(), 4);
    EXPECT_TRUE(download->inProgress());
    EXPECT_EQ(eventNames(), (QStringList{"started", "progress", "progress"}));
}

TEST_F(DownloadManagerTest, CompletionIsDecidedBySize) {
    struct Case {
        const char* name;
        qint64 announced;
        int received;
        bool keeps;
    };
    for (const Case& c : {Case{"short.zip", 100, 99, false}, Case{"exact.zip", 100, 100, true},
                          Case{"unknown.zip", 0, 5, true}, Case{"negative.zip", -1, 5, true}}) {
        SCOPED_TRACE(c.name);
        auto download = start(QString::fromLatin1(c.name), c.announced);
        ASSERT_TRUE(download->receivedData(QByteArray(c.received, 'x')));
        download->complete();
        EXPECT_FALSE(download->inProgress());
        EXPECT_EQ(fs::exists(downloads() / c.name), c.keeps);
        EXPECT_EQ(manager().getByFile(downloads() / c.name) != nullptr, c.keeps);
        // The player is told why a download went.
        EXPECT_EQ(download->getFailure(),
                  c.keeps ? QString()
                          : QStringLiteral("the transfer ended after 99 of 100 bytes."));
        std::vector<DownloadRecorder::Event> seen;
        EXPECT_EQ(eventNames(&seen).last(), c.keeps ? "completed" : "removed");
        EXPECT_EQ(seen.back().item, ItemPtr(download));
    }
}

// A sender that goes on past the size it announced is stopped at the block
// that would cross it: the file never holds more than the accepted size, and
// the download ends as a failed one (file and entry removed).
TEST_F(DownloadManagerTest, DownloadSendingMoreThanAnnouncedIsStoppedAndRemoved) {
    auto download = start(QStringLiteral("long.zip"), 100);
    ASSERT_TRUE(download->receivedData(QByteArray(60, 'x')));
    EXPECT_FALSE(download->receivedData(QByteArray(41, 'x')));
    EXPECT_FALSE(download->inProgress());
    EXPECT_TRUE(download->isFailed());
    EXPECT_EQ(download->getCurrentSize(), 60);
    EXPECT_FALSE(download->receivedData(QByteArray(1, 'x')));
    download->complete(); // the browser's end report changes nothing
    EXPECT_FALSE(fs::exists(downloads() / "long.zip"));
    EXPECT_EQ(manager().getByFile(downloads() / "long.zip"), nullptr);
    std::vector<DownloadRecorder::Event> seen;
    EXPECT_EQ(eventNames(&seen), (QStringList{"started", "progress", "removed"}));
    EXPECT_EQ(seen.back().item, ItemPtr(download));
    EXPECT_TRUE(env.logContains(QStringLiteral("more bytes than the announced 100")));
    EXPECT_EQ(download->getFailure(),
              QStringLiteral("the site sent more than the 100 bytes it announced."));
}

// Nothing partial is ever listed as finished: the bytes arrive in a partial
// file that only a completed download names, and one left by a program that
// ended meanwhile is gone at the next start.
TEST_F(DownloadManagerTest, OnlyACompletedDownloadGetsItsNameAndLeftoversGoAtTheNextStart) {
    const fs::path partial = downloads() / "addon.zip.partial";
    auto download = start(QStringLiteral("addon.zip"), 6);
    ASSERT_TRUE(download->receivedData("abc"));
    EXPECT_TRUE(fs::exists(partial));
    EXPECT_FALSE(fs::exists(downloads() / "addon.zip"));
    manager().refresh(); // while it runs: one entry, the running one
    EXPECT_EQ(manager().getDownloads(), std::vector{ItemPtr(download)});
    EXPECT_TRUE(fs::exists(partial)) << "a running download keeps its partial file";
    ASSERT_TRUE(download->receivedData("def"));
    download->complete();
    EXPECT_FALSE(fs::exists(partial));
    EXPECT_EQ(readFile(downloads() / "addon.zip"), QByteArray("abcdef"));

    // The program ends while a download arrives: at the next start only the
    // finished download is listed, and the partial file is removed.
    auto cut = start(QStringLiteral("cut.zip"), 100);
    ASSERT_TRUE(cut->receivedData("half"));
    stopClient();
    cut.reset();
    download.reset();
    startClient();
    manager().refresh();
    const auto listed = manager().getDownloads();
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0]->getFile(), downloads() / "addon.zip");
    EXPECT_FALSE(fs::exists(downloads() / "cut.zip.partial"));
    EXPECT_TRUE(
        env.logContains(DownloadManager::Prefix +
                        QStringLiteral(".loadDownloads: removed the unfinished download [")));
    // A proposed name never takes the partial form.
    EXPECT_EQ(DownloadManager::safeFileName(QStringLiteral("x.zip.partial"), downloads(), 0),
              QStringLiteral("x.zip.partial_"));
}

// Links planted in the downloads folder under a download's names never lead
// its bytes to a file outside the folder.
TEST_F(DownloadManagerTest, LinksUnderADownloadsNamesAreNotFollowed) {
    const fs::path outside = env.scratch() / "outside";
    fs::create_directories(outside);
    writeFile(outside / "victim.txt", "keep");
    fs::create_directories(downloads());
    fs::create_symlink(outside / "victim.txt", downloads() / "addon.zip.partial");
    fs::create_symlink(outside / "other.txt", downloads() / "addon.zip");
    auto download = start(QStringLiteral("addon.zip"), 3);
    ASSERT_TRUE(download->receivedData("new"));
    download->complete();
    EXPECT_EQ(readFile(outside / "victim.txt"), QByteArray("keep"));
    EXPECT_FALSE(fs::exists(outside / "other.txt"));
    EXPECT_FALSE(fs::is_symlink(downloads() / "addon.zip"));
    EXPECT_EQ(readFile(downloads() / "addon.zip"), QByteArray("new"));
}

TEST_F(DownloadManagerTest, TransferEndedEarlyByTheBrowserFailsAndLeavesNothing) {
    auto download = start(QStringLiteral("broken.zip"), -1);
    ASSERT_TRUE(download->receivedData(QByteArray(400, 'x')));
    download->abort();
    EXPECT_FALSE(download->inProgress());
    EXPECT_TRUE(download->isFailed());
    download->abort();
    download->complete(); // a late end report changes nothing
    EXPECT_FALSE(download->receivedData("more"));
    EXPECT_TRUE(manager().getDownloads().empty());
    EXPECT_TRUE(fs::is_empty(downloads()));
    std::vector<DownloadRecorder::Event> seen;
    EXPECT_EQ(eventNames(&seen), (QStringList{"started", "progress", "removed"}));
    EXPECT_EQ(seen.back().item, ItemPtr(download));
    EXPECT_TRUE(
        env.logContains(QStringLiteral(".abort: the transfer ended early after 400 of -1")));
    EXPECT_EQ(download->getFailure(), QStringLiteral("the transfer broke off after 400 bytes."));
    // Once complete, an abort is too late to undo anything.
    auto whole = start(QStringLiteral("whole.zip"), 2);
    ASSERT_TRUE(whole->receivedData("ok"));
    whole->complete();
    whole->abort();
    EXPECT_EQ(readFile(downloads() / "whole.zip"), QByteArray("ok"));
}

TEST_F(DownloadManagerTest, UnknownLengthIsHeldTo32MiBWhileItArrives) {
    constexpr qint64 Limit = client::model::DownloadRecognizer::MaxContentLength;
    auto download = start(QStringLiteral("stream.zip"), -1);
    const QByteArray block(1024 * 1024, 's');
    for (qint64 sent = 0; sent < Limit; sent += block.size())
        ASSERT_TRUE(download->receivedData(block)) << sent;
    EXPECT_EQ(download->getTotalSize(), -1) << "unknown while it arrives";
    EXPECT_FALSE(download->receivedData("1")) << "one byte past the limit";
    EXPECT_TRUE(download->isFailed());
    EXPECT_EQ(download->getFailure(),
              QStringLiteral("it grew larger than 32 MB while it arrived."));
    EXPECT_TRUE(fs::is_empty(downloads()));
    EXPECT_EQ(eventNames().last(), QStringLiteral("removed"));
    EXPECT_TRUE(env.logContains(QStringLiteral("more bytes than the allowed 33554432")));

    // Right at the limit the download completes, and its size is then known.
    auto fits = start(QStringLiteral("fits.zip"), -1);
    for (qint64 sent = 0; sent < Limit; sent += block.size())
        ASSERT_TRUE(fits->receivedData(block));
    fits->complete();
    EXPECT_EQ(fits->getTotalSize(), Limit);
    EXPECT_EQ(fs::file_size(downloads() / "fits.zip"), std::uintmax_t(Limit));
}

TEST_F(DownloadManagerTest, UnopenableFileFailsAndUndeletableEntryIsStillRemoved) {
    // A folder of that name, not yet listed, blocks the file.
    writeFile(downloads() / "blocked.zip" / "inside.txt", "x");
    auto download = start(QStringLiteral("blocked.zip"), 10);
    EXPECT_TRUE(env.logContains(QStringLiteral("Exception: [IOException")));
    EXPECT_FALSE(download->receivedData("abc"));
    download->complete();
    EXPECT_TRUE(manager().getDownloads().empty());
    EXPECT_TRUE(env.logContains(DownloadManager::Prefix +
                                QStringLiteral(".deleteDownload: failed to delete file [")));
    EXPECT_EQ(eventNames(), (QStringList{"started", "removed"}));
}

#if defined(__linux__)
TEST_F(DownloadManagerTest, WriteErrorIsLoggedAndAbortsTheDownload) {
    // A file size limit makes the second block's write fail.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{1 << 20, previous.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    auto download = start(QStringLiteral("big.zip"), 4 << 20);
    const QByteArray block(768 << 10, 'x');
    const bool first = download->receivedData(block);
    const bool second = download->receivedData(block);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(download->getCurrentSize(), block.size());
    EXPECT_TRUE(env.logContains(QStringLiteral("Exception: [IOException")));
    download->complete();
    EXPECT_FALSE(fs::exists(downloads() / "big.zip"));
}
#endif

TEST_F(DownloadManagerTest, RefreshRelistsTheFolderSortedAndKeepsRunningDownloads) {
    auto running = start(QStringLiteral("d.zip"), 100);
    ASSERT_TRUE(running->receivedData(QByteArray(10, 'r')));
    auto finished = start(QStringLiteral("c.zip"), 3);
    ASSERT_TRUE(finished->receivedData("abc"));
    finished->complete();
    writeFile(downloads() / "a.zip", "a"); // copied by hand
    fs::create_directories(downloads() / "b");
    eventNames();

    manager().refresh();
    const auto listed = manager().getDownloads();
    ASSERT_EQ(listed.size(), 4u);
    EXPECT_EQ(listed[0]->getFile(), downloads() / "a.zip");
    EXPECT_EQ(listed[1]->getFile(), downloads() / "b");
    EXPECT_EQ(listed[2]->getFile(), downloads() / "c.zip");
    EXPECT_NE(listed[2], ItemPtr(finished)); // now a plain finished entry
    EXPECT_EQ(listed[2]->getTotalSize(), 3);
    EXPECT_FALSE(listed[2]->inProgress());
    EXPECT_EQ(listed[3], ItemPtr(running));
    EXPECT_EQ(eventNames(), (QStringList{"before", "after"}));
}

TEST_F(DownloadManagerTest, ADownloadRunningAcrossARestartOfTheClientFinishesSafely) {
    auto running = start(QStringLiteral("slow.zip"), 6);
    ASSERT_TRUE(running->receivedData("abc"));
    // The client restarts (as a change of game folder does) while the
    // browser still feeds the download it started with.
    client->shutdown();
    ASSERT_TRUE(client->initialize());
    running->receivedData("def");
    running->complete();
    EXPECT_EQ(readFile(downloads() / "slow.zip"), QByteArray("abcdef"));
    manager().refresh();
    ASSERT_EQ(manager().getDownloads().size(), 1u);
    EXPECT_EQ(manager().getDownloads()[0]->getTotalSize(), 6);
}

TEST_F(DownloadManagerTest, HostileFileNamesStayInsideTheDownloadsFolder) {
    const fs::path outside = env.scratch() / "outside.zip";
    const std::pair<QString, QString> cases[] = {
        // proposed name, stored name (null: a generated one)
        {QStringLiteral("../../escape.zip"), QStringLiteral("escape.zip")},
        {util::pathText(outside), QStringLiteral("outside.zip")},
        {QStringLiteral("..\\..\\win.zip"), QStringLiteral("win.zip")},
        {QStringLiteral("C:evil.zip"), QStringLiteral("C_evil.zip")},
        {QStringLiteral(".."), QString()},
        {QStringLiteral("."), QString()},
        {QStringLiteral(""), QString()},
        {QStringLiteral("a/b/.."), QString()},
        {QStringLiteral("dir/"), QString()},
    };
    std::set<fs::path> files;
    const QRegularExpression generated(QStringLiteral("^download-\\d+\\.zip$"));
    for (const auto& [proposed, stored] : cases) {
        SCOPED_TRACE(proposed.toStdString());
        auto download = start(proposed, 1);
        ASSERT_TRUE(download->receivedData("x"));
        download->complete();
        const fs::path file = download->getFile();
        EXPECT_EQ(file.parent_path(), downloads());
        const QString name = util::pathText(file.filename());
        EXPECT_TRUE(stored.isNull() ? generated.match(name).hasMatch() : name == stored);
        EXPECT_EQ(readFile(file), QByteArray("x"));
        files.insert(file);
    }
    EXPECT_EQ(files.size(), std::size(cases)); // every generated name is new
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::exists(env.scratch() / "escape.zip"));
    EXPECT_FALSE(fs::exists(dataFolder() / "escape.zip"));

    writeFile(downloads() / "download-5.zip", ""); // a taken name is skipped
    EXPECT_EQ(DownloadManager::safeFileName(QStringLiteral(".."), downloads(), 5),
              QStringLiteral("download-6.zip"));
}

TEST_F(DownloadManagerTest, StartupRefreshListsTheFolderBeforeListenersHearOfIt) {
    stopClient();
    writeFile(downloads() / "kept.zip", "k");
    client = std::make_unique<client::model::Client>(
        &recorder, std::make_unique<client::model::ClientRepository>(dataFolder()),
        undetectedInstallation());
    ASSERT_TRUE(client->initialize());
    EXPECT_EQ(manager().getDownloads().size(), 1u);
    EXPECT_EQ(eventNames(), (QStringList{"before", "after"}));

    const qsizetype refresh = env.logIndexOf(DownloadManager::Prefix + QStringLiteral(".refresh"));
    EXPECT_LT(env.logIndexOf(QStringLiteral(".initialize downloads")), refresh);
    EXPECT_LT(refresh, env.logIndexOf(QStringLiteral(".initialize downloads complete")));
    const QString report = env.logLines().at(
        env.logIndexOf(QStringLiteral("DownloadListenerMultiplexer.listenerReport")));
    EXPECT_GE(report.indexOf(QStringLiteral("pri[-2147483647]: ")), 0);
    EXPECT_LT(report.indexOf(QStringLiteral("pri[-2147483647]: ")),
              report.indexOf(QStringLiteral("pri[0]: ")));
}

} // namespace
} // namespace plenfox::test

namespace plenfox::test {
namespace {

using DownloadWaitTest = DownloadFixture;

TEST_F(DownloadWaitTest, ADownloadNoPlayerAskedForWaitsUntilTakenUpReplacedOrRemoved) {
    client::model::DownloadAttributes unasked{QStringLiteral("page.zip"), 2,
                                              QStringLiteral("application/zip"),
                                              QStringLiteral("http://site/page"), QString()};
    auto byPage = manager().createDownloader(unasked);
    ASSERT_TRUE(byPage->receivedData("ab"));
    byPage->complete();
    EXPECT_TRUE(manager().isAwaitingPlayer(*byPage));
    // A refresh lists the finished file anew; it still waits.
    manager().refresh();
    const ItemPtr listed = manager().getByFile(downloads() / "page.zip");
    ASSERT_TRUE(listed);
    EXPECT_TRUE(manager().isAwaitingPlayer(*listed));
    manager().takenUp(*listed);
    EXPECT_FALSE(manager().isAwaitingPlayer(*listed));

    // The player's own download of the same name does not wait.
    auto again = manager().createDownloader(unasked);
    EXPECT_TRUE(manager().isAwaitingPlayer(*again));
    client::model::DownloadAttributes asked = unasked;
    asked.startedByPlayer = true;
    auto byPlayer = manager().createDownloader(asked);
    EXPECT_FALSE(manager().isAwaitingPlayer(*byPlayer));

    // Removing a waiting download ends its wait with it.
    auto other = manager().createDownloader(
        {QStringLiteral("other.zip"), 1, QStringLiteral("application/zip"), QString(), QString()});
    ASSERT_TRUE(other->receivedData("x"));
    other->complete();
    manager().deleteDownload(other);
    EXPECT_FALSE(manager().isAwaitingPlayer(*other));
}

TEST_F(DownloadWaitTest, PlayersDeleteGoesToTheTrashAndCancelDeletesTheUnfinishedBytes) {
    SandboxedHome home(env.scratch() / "home");
    auto done = start(QStringLiteral("done.zip"), 3);
    ASSERT_TRUE(done->receivedData("abc"));
    done->complete();
    eventNames();
    manager().deleteDownload(done);
    EXPECT_EQ(eventNames(), QStringList{"removed"});
    EXPECT_FALSE(fs::exists(downloads() / "done.zip"));
    EXPECT_EQ(home.trashed(), QStringList{"done.zip"});
    EXPECT_EQ(readFile(home.trashFiles() / "done.zip"), QByteArray("abc"));
    EXPECT_TRUE(env.logContains(DownloadManager::Prefix + ".deleteDownload: moved to the trash ["));

    // Cancelling stops a running download: its row goes, its bytes are not
    // kept anywhere, and a late completion reports nothing.
    auto running = start(QStringLiteral("running.zip"), 10);
    ASSERT_TRUE(running->receivedData("12345"));
    eventNames();
    EXPECT_TRUE(manager().cancelDownload(running));
    EXPECT_EQ(eventNames(), QStringList{"removed"});
    EXPECT_TRUE(manager().getDownloads().empty());
    EXPECT_FALSE(running->receivedData("678"));
    running->complete();
    EXPECT_EQ(eventNames(), QStringList());
    EXPECT_EQ(running->getFailure(), QString()) << "a cancelled download did not fail";
    EXPECT_TRUE(fs::is_empty(downloads()));
    EXPECT_EQ(home.trashed(), QStringList{"done.zip"});
    // Only a running download can be cancelled.
    EXPECT_FALSE(manager().cancelDownload(done));
}

} // namespace
} // namespace plenfox::test
