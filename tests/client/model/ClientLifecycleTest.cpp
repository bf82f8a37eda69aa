// The client's life without a window: start-up on its own thread, restart in
// another game folder, shutdown while starting and in order, the log
// clean-up, the folders the player may open and the bug report.
#include "client/model/ClientLifecycle.h"
#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/updates/UpdateSource.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Paths.h"
#include "tests/support/TestSupport.h"

#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <mutex>
#include <thread>
#include <zip.h>

namespace plenfox::test {
namespace {

using client::model::AddonChangeListener;
using client::model::Client;
using client::model::ClientComponent;
using client::model::ClientEventHandler;
using client::model::ClientLifecycle;
using client::model::ClientLifetimeListener;
using client::model::DownloadListener;
using client::model::DownloadRecognizerListener;
using client::model::UpdateListener;
using Problem = ClientLifecycle::FolderLookup::Problem;
namespace fs = std::filesystem;

class NoUpdates : public client::model::UpdateSource {
public:
    std::shared_ptr<client::model::UpdateResult>
    queryUpdates(const client::model::UpdateQuery&) override {
        return nullptr;
    }
};

// Stands in for the window: records the lifetime calls it hears, on which
// thread, and whether the lifecycle already counted the client as ready.
class RecordingView : public ClientEventHandler, public ClientLifetimeListener {
public:
    AddonChangeListener* getAddonChangeListener() override { return nullptr; }
    ClientLifetimeListener* getClientLifetimeListener() override { return this; }
    DownloadListener* getDownloadListener() override { return nullptr; }
    DownloadRecognizerListener* getDownloadRecognizerListener() override { return nullptr; }
    UpdateListener* getUpdateListener() override { return nullptr; }

    void beforeInitialize() override {
        record(QStringLiteral("beforeInitialize"));
        if (holdStartUp)
            holdStartUp();
    }
    void afterInitialize() override {
        record(life && life->readyClient() ? QStringLiteral("afterInitialize (ready)")
                                           : QStringLiteral("afterInitialize"));
    }
    void beforeShutdown() override { record(QStringLiteral("beforeShutdown")); }
    void afterShutdown() override { record(QStringLiteral("afterShutdown")); }
    void initializeFailed(ClientComponent*) override { record(QStringLiteral("initializeFailed")); }

    QStringList heard() const {
        std::lock_guard guard(lock);
        return calls;
    }
    std::vector<std::thread::id> threads() const {
        std::lock_guard guard(lock);
        return callThreads;
    }

    ClientLifecycle* life = nullptr;
    // Runs on the start-up thread inside the client's initialization.
    std::function<void()> holdStartUp;

private:
    void record(const QString& call) {
        std::lock_guard guard(lock);
        calls << call;
        callThreads.push_back(std::this_thread::get_id());
    }

    mutable std::mutex lock;
    QStringList calls;
    std::vector<std::thread::id> callThreads;
};

bool eventually(const std::function<bool()>& condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A gate one thread waits at until another opens it.
class Gate {
public:
    void open() {
        std::lock_guard guard(lock);
        opened = true;
        changed.notify_all();
    }
    void pass() {
        std::unique_lock guard(lock);
        changed.wait(guard, [this] { return opened; });
    }

private:
    std::mutex lock;
    std::condition_variable changed;
    bool opened = false;
};

class ClientLifecycleTest : public ::testing::Test {
protected:
    ClientLifecycleTest() {
        writeFile(gameFolder() / "wow.exe", QByteArrayLiteral("MZ"));
        fs::create_directories(gameFolder() / "interface" / "addons");
    }

    fs::path gameFolder() const { return env.scratch() / "game"; }
    fs::path logFolder() const { return env.scratch() / "logs"; }

    ClientLifecycle::Setup setup(bool withGame = true) {
        ClientLifecycle::Setup result;
        const fs::path data = env.scratch() / "data";
        const fs::path game = gameFolder();
        result.makeClient = [data, game, withGame](ClientEventHandler* handler) {
            auto wow = undetectedInstallation();
            if (withGame)
                wow->initializeExplicit(game);
            auto made = std::make_unique<Client>(
                handler, std::make_unique<client::model::ClientRepository>(data), std::move(wow));
            made->setUpdateManager(
                std::make_unique<client::model::UpdateManager>(std::make_shared<NoUpdates>()));
            return made;
        };
        result.makeScanner = [] { return undetectedInstallation(); };
        result.logFolder = logFolder();
        fs::create_directories(logFolder());
        return result;
    }

    std::unique_ptr<ClientLifecycle> make(bool withGame = true) {
        auto life = std::make_unique<ClientLifecycle>(setup(withGame), view);
        view.life = life.get();
        return life;
    }

    static bool started(ClientLifecycle& life) {
        return eventually([&life] { return life.readyClient() != nullptr; });
    }

    TestEnvironment env;
    RecordingView view;
};

TEST_F(ClientLifecycleTest, StartUpRunsOnItsOwnThreadAndTheClientIsReadyBeforeTheViewHears) {
    auto life = make();
    EXPECT_EQ(life->readyClient(), nullptr) << "nothing runs before start";
    life->start();
    ASSERT_TRUE(started(*life));
    life->joinStartUp();
    EXPECT_EQ(view.heard(), (QStringList{"beforeInitialize", "afterInitialize (ready)"}));
    const auto threads = view.threads();
    ASSERT_EQ(threads.size(), 2u);
    EXPECT_NE(threads[0], std::this_thread::get_id());
    EXPECT_EQ(threads[0], threads[1]);
    EXPECT_TRUE(life->client().isInitialized());
    EXPECT_TRUE(env.logContains(QStringLiteral("Initialized client")));
    EXPECT_EQ(life->client().getWow()->installRoot(), std::optional<fs::path>(gameFolder()));
}

TEST_F(ClientLifecycleTest, AFailedStartUpNamesItsCauseAndAnotherStartCanFollow) {
    // A file where the data folder should be: nothing can be kept there.
    writeFile(env.scratch() / "data", QByteArrayLiteral("in the way"));
    auto life = make();
    life->start();
    life->joinStartUp();
    EXPECT_EQ(view.heard(), (QStringList{"beforeInitialize", "initializeFailed"}));
    EXPECT_EQ(life->readyClient(), nullptr);
    const QString failure = life->startFailure();
    EXPECT_TRUE(failure.startsWith(QStringLiteral("the data folder [") +
                                   QString::fromStdU16String((env.scratch() / "data").u16string()) +
                                   QStringLiteral("] cannot be made")))
        << failure.toStdString();
    EXPECT_TRUE(env.logContains(QStringLiteral("Failed to initialize component: ")));

    // Once the cause is gone, a restart (a new game folder) starts the client.
    fs::remove(env.scratch() / "data");
    life->restart(gameFolder());
    ASSERT_TRUE(started(*life));
    EXPECT_TRUE(life->startFailure().isNull());
    EXPECT_TRUE(fs::is_directory(env.scratch() / "data"));
    EXPECT_FALSE(fs::exists(env.scratch() / "data" / ".write-check"));
}

TEST_F(ClientLifecycleTest, StartUpKeepsTheNewestTwentyFiveLogFiles) {
    const auto now = fs::file_time_type::clock::now();
    fs::create_directories(logFolder());
    for (int i = 0; i < 30; ++i) {
        const fs::path file = logFolder() / ("plenfoxclient" + std::to_string(i) + ".log");
        writeFile(file, QByteArrayLiteral("x"));
        fs::last_write_time(file, now - std::chrono::hours(100 - i));
    }
    writeFile(logFolder() / "unrelated.txt", QByteArrayLiteral("kept"));
    {
        auto life = make();
        life->start();
    }
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(fs::exists(logFolder() / ("plenfoxclient" + std::to_string(i) + ".log")), i >= 5)
            << i;
    EXPECT_TRUE(fs::exists(logFolder() / "unrelated.txt"));
}

TEST_F(ClientLifecycleTest, RestartWhileRunningShutsDownThenStartsInTheNewFolder) {
    auto life = make(false);
    life->start();
    ASSERT_TRUE(started(*life));
    life->joinStartUp();
    const fs::path other = env.scratch() / "other";
    writeFile(other / "wow.exe", QByteArrayLiteral("MZ"));

    life->restart(other);
    EXPECT_EQ(life->readyClient(), nullptr) << "not ready from the moment the restart begins";
    ASSERT_TRUE(started(*life));
    life->joinStartUp();
    EXPECT_EQ(life->client().getWow()->installRoot(), std::optional<fs::path>(other));
    EXPECT_EQ(view.heard(),
              (QStringList{"beforeInitialize", "afterInitialize (ready)", "beforeShutdown",
                           "afterShutdown", "beforeInitialize", "afterInitialize (ready)"}));
    const QStringList lines = env.logLines();
    const qsizetype shutting = lines.indexOf(QStringLiteral("Shutting down client"));
    const qsizetype done = lines.indexOf(QStringLiteral("Successfully shut down client"));
    ASSERT_GE(shutting, 0);
    EXPECT_GT(done, shutting);
    EXPECT_EQ(lines.lastIndexOf(QStringLiteral("Initialized client")),
              lines.indexOf(QStringLiteral("Initialized client"), done));
}

TEST_F(ClientLifecycleTest, ShutdownBeforeTheClientStartsKeepsItFromStarting) {
    auto life = make();
    life->requestShutdown();
    life->start();
    life->shutdown();
    EXPECT_TRUE(view.heard().isEmpty());
    EXPECT_FALSE(life->client().isInitialized());
    EXPECT_FALSE(env.logContains(Client::Prefix + QStringLiteral(".initialize")));
    EXPECT_FALSE(env.logContains(QStringLiteral("Shutting down client")));
}

TEST_F(ClientLifecycleTest, ShutdownDuringStartUpWaitsForItThenShutsDownInOrder) {
    Gate inside;
    Gate release;
    view.holdStartUp = [&inside, &release] {
        inside.open();
        release.pass();
    };
    auto life = make();
    life->start();
    inside.pass();
    std::thread closer([&life] { life->shutdown(); });
    ASSERT_TRUE(eventually([&life] { return life->shutdownRequested(); }));
    release.open();
    closer.join();
    EXPECT_EQ(view.heard(), (QStringList{"beforeInitialize", "afterInitialize (ready)",
                                         "beforeShutdown", "afterShutdown"}));
    EXPECT_FALSE(life->client().isInitialized());
    const qsizetype initialized = env.logIndexOf(QStringLiteral("Initialized client"));
    const qsizetype shutting = env.logIndexOf(QStringLiteral("Shutting down client"));
    ASSERT_GE(initialized, 0);
    EXPECT_GT(shutting, initialized);
    EXPECT_GT(env.logIndexOf(QStringLiteral("Successfully shut down client")), shutting);
}

TEST_F(ClientLifecycleTest, ShutdownWaitsForBackgroundTasksBeforeTheClient) {
    auto life = make();
    life->start();
    ASSERT_TRUE(started(*life));
    Gate release;
    life->backgroundTasks().run(QStringLiteral("slow"), [&release] {
        release.pass();
        client::App::log(QStringLiteral("slow task done"));
    });
    std::thread closer([&life] { life->shutdown(); });
    ASSERT_TRUE(eventually([&life] { return life->shutdownRequested(); }));
    // Long enough for a shutdown that did not wait to show in the log.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    release.open();
    closer.join();
    const qsizetype task = env.logIndexOf(QStringLiteral("slow task done"));
    const qsizetype shutting = env.logIndexOf(QStringLiteral("Shutting down client"));
    ASSERT_GE(task, 0);
    EXPECT_GT(shutting, task);
    EXPECT_GT(env.logIndexOf(QStringLiteral("Successfully shut down client")), shutting);

    life->shutdown();
    life.reset();
    EXPECT_EQ(env.logLines().count(QStringLiteral("Shutting down client")), 1);
}

TEST_F(ClientLifecycleTest, FolderLookupsSayWhyThereIsNoFolder) {
    auto life = make();
    EXPECT_EQ(life->downloadsFolder().problem, Problem::ClientNotReady);
    EXPECT_EQ(life->gameFolder().problem, Problem::GameNotFound) << "not started yet";
    life->start();
    ASSERT_TRUE(started(*life));
    EXPECT_EQ(life->downloadsFolder().folder,
              std::optional<fs::path>(env.scratch() / "data" / "downloads"));
    EXPECT_EQ(life->gameFolder().folder, std::optional<fs::path>(gameFolder()));
    EXPECT_EQ(life->addonFolder().folder,
              std::optional<fs::path>(gameFolder() / "interface" / "addons"));
    fs::remove_all(gameFolder() / "interface");
    EXPECT_EQ(life->addonFolder().problem, Problem::AddonFolderMissing);
    EXPECT_FALSE(life->addonFolder().folder);
    life.reset();

    auto withoutGame = make(false);
    withoutGame->start();
    ASSERT_TRUE(started(*withoutGame));
    EXPECT_EQ(withoutGame->gameFolder().problem, Problem::GameNotFound);
    EXPECT_EQ(withoutGame->addonFolder().problem, Problem::GameNotFound);
}

std::map<QString, QByteArray> zipEntries(const fs::path& file) {
    std::map<QString, QByteArray> entries;
    int error = 0;
    zip_t* archive = zip_open(file.c_str(), ZIP_RDONLY, &error);
    if (!archive)
        return entries;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        QByteArray data(static_cast<qsizetype>(stat.size), '\0');
        zip_file_t* entry = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        zip_fread(entry, data.data(), stat.size);
        zip_fclose(entry);
        EXPECT_EQ(stat.comp_method, ZIP_CM_DEFLATE);
        entries[QString::fromUtf8(stat.name)] = data;
    }
    zip_close(archive);
    return entries;
}

TEST_F(ClientLifecycleTest, BugReportHoldsEveryLogFileByteForByte) {
    QByteArray binary;
    for (int i = 0; i < 5000; ++i)
        binary.append(char(i * 7));
    auto life = make();
    writeFile(logFolder() / "plenfoxclient1.log", QByteArrayLiteral("first run\n"));
    writeFile(logFolder() / "plenfoxclient22.log", binary);
    writeFile(logFolder() / "plenfoxclient3.log", QByteArray());
    writeFile(logFolder() / "other.log", QByteArrayLiteral("not ours"));

    const ClientLifecycle::BugReportOutcome outcome = life->createBugReport();
    ASSERT_TRUE(outcome.zip);
    EXPECT_FALSE(outcome.noLogFiles);
    const fs::path zip = *outcome.zip;
    EXPECT_EQ(zip.parent_path(), logFolder());
    EXPECT_TRUE(util::pathText(zip.filename()).startsWith(QStringLiteral("plenfoxclientbug")));
    EXPECT_EQ(zip.extension(), fs::path(".zip"));
    EXPECT_TRUE(env.logContains(ClientLifecycle::Prefix + QStringLiteral(".createBugReport: [") +
                                util::pathText(zip) + QLatin1Char(']')));
    const auto entries = zipEntries(zip);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries.at(QStringLiteral("plenfoxclient1.log")), QByteArrayLiteral("first run\n"));
    EXPECT_EQ(entries.at(QStringLiteral("plenfoxclient22.log")), binary);
    EXPECT_EQ(entries.at(QStringLiteral("plenfoxclient3.log")), QByteArray());

    // A second report does not pack the first one.
    const auto again = life->createBugReport();
    ASSERT_TRUE(again.zip);
    EXPECT_EQ(zipEntries(*again.zip).size(), 3u);
}

TEST_F(ClientLifecycleTest, BugReportWithoutLogFilesSaysSoAndWritesNothing) {
    auto life = make();
    const ClientLifecycle::BugReportOutcome outcome = life->createBugReport();
    EXPECT_TRUE(outcome.noLogFiles);
    EXPECT_FALSE(outcome.zip);
    EXPECT_TRUE(fs::is_empty(logFolder()));
}

} // namespace
} // namespace plenfox::test
