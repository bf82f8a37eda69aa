#include "client/model/CompletedDownloadItem.h"
#include "lib/util/Error.h"
#include "tests/DownloadFixture.h"

#include <QRegularExpression>
#include <set>

#if defined(__linux__)
#include <csignal>
#include <sys/resource.h>
#endif

namespace plenfox::test {
namespace {

namespace fs = std::filesystem;
using client::model::DownloadItem;
using client::model::DownloadManager;

class DownloadManagerTest : public DownloadFixture {};

std::shared_ptr<DownloadItem> asItem(const std::shared_ptr<client::model::FileDownloader>& d) {
    return d;
}

TEST_F(DownloadManagerTest, SameNameReplacesTheOldEntryAndItsFile) {
    auto old = start(QStringLiteral("addon.zip"), 4);
    ASSERT_TRUE(old->receivedData("abcd"));
    old->complete();
    auto replacement = start(QStringLiteral("addon.zip"), 2);

    const auto seen = events();
    EXPECT_EQ(names(seen), (QStringList{"started", "progress", "completed", "removed", "started"}));
    EXPECT_EQ(seen[3].item, asItem(old));
    EXPECT_EQ(seen[4].item, asItem(replacement));
    EXPECT_EQ(manager().getDownloads(), std::vector{asItem(replacement)});
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
    EXPECT_EQ(manager().getByFile(downloads() / "run.zip"), asItem(newer));
    const QStringList later = names(events());
    EXPECT_EQ(later.count(QStringLiteral("removed")), 1);
    EXPECT_EQ(later.last(), QStringLiteral("completed"));
}

TEST_F(DownloadManagerTest, ProgressFirstBlockAtOnceThenAtMostOncePerSecond) {
    auto download = start(QStringLiteral("p.zip"), 0);
    EXPECT_TRUE(download->receivedData("a")); // reported
    now += 999;
    EXPECT_TRUE(download->receivedData("b"));
    now += 1;
    EXPECT_TRUE(download->receivedData("c")); // 1000 ms after the first report
    now += 500;
    EXPECT_TRUE(download->receivedData("d"));
    EXPECT_EQ(download->getCurrentSize(), 4);
    EXPECT_TRUE(download->inProgress());
    EXPECT_EQ(names(events()), (QStringList{"started", "progress", "progress"}));
}

TEST_F(DownloadManagerTest, CompletionIsDecidedBySize) {
    struct Case {
        const char* name;
        qint64 announced;
        int received;
        bool keeps;
    };
    for (const Case& c : {Case{"short.zip", 100, 99, false}, Case{"long.zip", 100, 101, true},
                          Case{"unknown.zip", 0, 5, true}, Case{"negative.zip", -1, 5, true}}) {
        SCOPED_TRACE(c.name);
        auto download = start(QString::fromLatin1(c.name), c.announced);
        ASSERT_TRUE(download->receivedData(QByteArray(c.received, 'x')));
        download->complete();
        EXPECT_FALSE(download->inProgress());
        EXPECT_EQ(download->isFailed(), !c.keeps);
        EXPECT_EQ(fs::exists(downloads() / c.name), c.keeps);
        EXPECT_EQ(manager().getByFile(downloads() / c.name) != nullptr, c.keeps);
        const auto seen = events();
        ASSERT_FALSE(seen.empty());
        EXPECT_EQ(seen.back().name,
                  c.keeps ? QStringLiteral("completed") : QStringLiteral("removed"));
        EXPECT_EQ(seen.back().item, asItem(download));
        const QString expectedLine =
            QStringLiteral(".complete: true, ") +
            (c.keeps ? QStringLiteral("false, ") : QStringLiteral("true, ")) +
            QString::number(c.received) + QStringLiteral(", ") + QString::number(c.announced);
        EXPECT_TRUE(env.logContains(expectedLine)) << expectedLine.toStdString();
    }
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
    EXPECT_EQ(names(events()), (QStringList{"started", "removed"}));
}

#if defined(__linux__)
TEST_F(DownloadManagerTest, WriteErrorIsLoggedAndAbortsTheDownload) {
    // A file size limit makes the second block's write fail.
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited{1 << 20, previous.rlim_max};
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

TEST_F(DownloadManagerTest, RefreshKeepsRunningDownloadsAndRelistsFinishedOnes) {
    auto running = start(QStringLiteral("run.zip"), 100);
    ASSERT_TRUE(running->receivedData(QByteArray(10, 'r')));
    auto finished = start(QStringLiteral("done.zip"), 3);
    ASSERT_TRUE(finished->receivedData("abc"));
    finished->complete();
    events();

    manager().refresh();
    const auto listed = manager().getDownloads();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0]->getFile(), downloads() / "done.zip");
    EXPECT_NE(listed[0], asItem(finished));
    EXPECT_EQ(listed[0]->getCurrentSize(), 3);
    EXPECT_EQ(listed[1], asItem(running));
    EXPECT_EQ(names(events()), (QStringList{"before", "after"}));
}

TEST_F(DownloadManagerTest, HandCopiedFilesAppearSortedAfterRefresh) {
    writeFile(downloads() / "c.zip", "ccc");
    writeFile(downloads() / "a.zip", "a");
    fs::create_directories(downloads() / "b");
    EXPECT_TRUE(manager().getDownloads().empty());
    manager().refresh();
    const auto listed = manager().getDownloads();
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0]->getFile(), downloads() / "a.zip");
    EXPECT_EQ(listed[1]->getFile(), downloads() / "b");
    EXPECT_EQ(listed[2]->getFile(), downloads() / "c.zip");
    EXPECT_EQ(listed[2]->getTotalSize(), 3);
    EXPECT_FALSE(listed[2]->inProgress());

    // The list handed out is a copy.
    manager().deleteDownload(listed[0]);
    EXPECT_EQ(listed.size(), 3u);
    EXPECT_EQ(manager().getDownloads().size(), 2u);
    EXPECT_FALSE(fs::exists(downloads() / "a.zip"));
}

TEST_F(DownloadManagerTest, HostileFileNamesStayInsideTheDownloadsFolder) {
    const fs::path outside = env.scratch() / "outside.zip";
    const struct {
        QString proposed;
        QString stored; // empty: a generated name
    } cases[] = {
        {QStringLiteral("../../escape.zip"), QStringLiteral("escape.zip")},
        {QString::fromStdU16String(outside.u16string()), QStringLiteral("outside.zip")},
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.proposed.toStdString());
        auto download = start(c.proposed, 1);
        ASSERT_TRUE(download->receivedData("x"));
        download->complete();
        const fs::path file = download->getFile();
        EXPECT_EQ(file.parent_path(), downloads());
        const QString name = DownloadItem::pathText(file.filename());
        if (c.stored.isNull())
            EXPECT_TRUE(generated.match(name).hasMatch()) << name.toStdString();
        else
            EXPECT_EQ(name, c.stored);
        EXPECT_EQ(readFile(file), QByteArray("x"));
        files.insert(file);
    }
    EXPECT_EQ(files.size(), std::size(cases)); // every generated name is new
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::exists(env.scratch() / "escape.zip"));
    EXPECT_FALSE(fs::exists(dataFolder() / "escape.zip"));

    // A taken generated name is skipped.
    writeFile(downloads() / "download-5.zip", "");
    EXPECT_EQ(DownloadManager::safeFileName(QStringLiteral(".."), downloads(), 5),
              QStringLiteral("download-6.zip"));
    EXPECT_THROW(start(QString(), 1), util::IllegalArgumentError);
}

TEST_F(DownloadManagerTest, StartupRefreshListsTheFolderBeforeListenersHearOfIt) {
    stopClient();
    writeFile(downloads() / "kept.zip", "k");
    client = std::make_unique<client::model::Client>(
        &handler, std::make_unique<client::model::ClientRepository>(dataFolder()));
    ASSERT_TRUE(client->initialize());
    EXPECT_EQ(manager().getDownloads().size(), 1u);
    EXPECT_EQ(names(recorder.take()), (QStringList{"before", "after"}));

    const qsizetype downloadsLine = env.logIndexOf(QStringLiteral(".initialize downloads"));
    const qsizetype refreshLine =
        env.logIndexOf(DownloadManager::Prefix + QStringLiteral(".refresh"));
    EXPECT_LT(downloadsLine, refreshLine);
    EXPECT_LT(refreshLine, env.logIndexOf(QStringLiteral(".initialize downloads complete")));
    const QString report = env.logLines().at(
        env.logIndexOf(QStringLiteral("DownloadListenerMultiplexer.listenerReport")));
    EXPECT_LT(report.indexOf(QStringLiteral("pri[-2147483647]: ")),
              report.indexOf(QStringLiteral("pri[0]: ")));
    EXPECT_GE(report.indexOf(QStringLiteral("pri[-2147483647]: ")), 0);
}

} // namespace
} // namespace plenfox::test
