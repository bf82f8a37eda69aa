#include "client/model/Client.h"
#include "client/model/ClientLifetimeListener.h"
#include "client/model/ClientRepository.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadListener.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Error.h"
#include "tests/support/TestSupport.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace plenfox::client::model;
using plenfox::test::TestEnvironment;
namespace fs = std::filesystem;

namespace {

// Stands in for the main window: records the lifetime calls it receives.
class RecordingHandler : public ClientEventHandler, public ClientLifetimeListener {
public:
    AddonChangeListener* getAddonChangeListener() override { return nullptr; }
    ClientLifetimeListener* getClientLifetimeListener() override { return this; }
    DownloadListener* getDownloadListener() override { return nullptr; }
    DownloadRecognizerListener* getDownloadRecognizerListener() override { return nullptr; }
    UpdateListener* getUpdateListener() override { return nullptr; }

    void afterInitialize() override { calls << QStringLiteral("afterInitialize"); }
    void afterShutdown() override { calls << QStringLiteral("afterShutdown"); }
    void beforeInitialize() override { calls << QStringLiteral("beforeInitialize"); }
    void beforeShutdown() override { calls << QStringLiteral("beforeShutdown"); }
    void initializeFailed(ClientComponent* component) override {
        calls << QStringLiteral("initializeFailed");
        failed = component;
    }

    QStringList calls;
    ClientComponent* failed = nullptr;
};

const QString P = Client::Prefix;

TEST(ClientTest, InitializesInOrderCreatesTheDataFolderAndShutsDownInReverse) {
    TestEnvironment env;
    RecordingHandler handler;
    const fs::path root = env.scratch() / "home" / "deep" / ".plenfoxclient";
    Client client(&handler, std::make_unique<ClientRepository>(root),
                  plenfox::test::undetectedInstallation());
    auto options = std::make_shared<ClientOptions>();
    ASSERT_TRUE(client.initialize(options));
    EXPECT_TRUE(fs::is_directory(root));
    EXPECT_TRUE(options->isClientInitialized());
    EXPECT_THROW(options->setWowFolder(env.scratch()), plenfox::util::IllegalStateError);

    EXPECT_FALSE(client.initialize());
    EXPECT_TRUE(env.logContains(P + QStringLiteral(".initialize called redundantly!")));

    client.shutdown();
    client.shutdown(); // a second shutdown does nothing
    EXPECT_EQ(handler.calls, (QStringList{"beforeInitialize", "afterInitialize", "beforeShutdown",
                                          "afterShutdown"}));

    const QStringList order{P + ".initialize",
                            P + ".initialize client components",
                            EventDispatcher::Prefix + ".create block ",
                            P + ".initialize listener-report",
                            EventDispatcher::Prefix + ".listenerReport: <NONE>",
                            ClientRepository::Prefix + ".listenerReport: <NONE>",
                            UpdateManager::Prefix + ".listenerReport:",
                            P + ".initialize refresh",
                            P + ".initialize downloads",
                            P + ".initialize downloads complete",
                            P + ".initialize addons",
                            P + ".initialize addons complete",
                            EventDispatcher::Prefix + ".create sink ",
                            EventDispatcher::Prefix + ".wait sink ",
                            P + ".initialize refresh complete",
                            UpdateManager::Prefix + ".shutdown: Flushing event queue",
                            UpdateManager::Prefix + ".shutdown: Event queue terminated",
                            EventDispatcher::Prefix + ".shutdown: Flushing event queue",
                            EventDispatcher::Prefix + ".shutdown: Event queue terminated"};
    qsizetype previous = -1;
    for (const QString& line : order) {
        const qsizetype at = env.logIndexOf(line);
        EXPECT_GT(at, previous) << line.toStdString();
        previous = at;
    }
}

TEST(ClientTest, AFolderThatCannotBeCreatedStopsStartUpAtTheRepository) {
    TestEnvironment env;
    RecordingHandler handler;
    plenfox::test::writeFile(env.scratch() / "blocker", "a file where a folder should be");
    auto repository =
        std::make_unique<ClientRepository>(env.scratch() / "blocker" / ".plenfoxclient");
    ClientRepository* expected = repository.get();
    {
        Client client(&handler, std::move(repository), plenfox::test::undetectedInstallation());
        EXPECT_FALSE(client.initialize());
        EXPECT_FALSE(client.isInitialized());
        EXPECT_EQ(handler.failed, expected);
        client.shutdown();
        EXPECT_EQ(handler.calls, (QStringList{"beforeInitialize", "initializeFailed"}));
        EXPECT_FALSE(env.logContains(P + QStringLiteral(".initialize listener-report")));
    } // destroying the client must not hang on the held event queue
}

TEST(ClientTest, StartsAgainAfterAFailedStartUpAndAfterAShutdown) {
    TestEnvironment env;
    RecordingHandler handler;
    const fs::path blocker = env.scratch() / "blocker";
    plenfox::test::writeFile(blocker, "a file where a folder should be");
    Client client(&handler, std::make_unique<ClientRepository>(blocker / ".plenfoxclient"),
                  plenfox::test::undetectedInstallation());
    EXPECT_FALSE(client.initialize());
    // The failed start-up held the event queue; a second one must not hang on it.
    fs::remove(blocker);
    ASSERT_TRUE(client.initialize());
    EXPECT_TRUE(fs::is_directory(blocker / ".plenfoxclient"));
    client.shutdown();
    // Shut down and started again, as a change of the game folder does.
    ASSERT_TRUE(client.initialize());
    EXPECT_EQ(client.getClientRepository()->getRoot(), blocker / ".plenfoxclient");
    client.getEventDispatcher()->sink();
    client.shutdown();
    EXPECT_EQ(handler.calls.count(QStringLiteral("afterInitialize")), 2);
}

// Counts the download-list refreshes each start-up announces, and notices
// when one is delivered while a task of an earlier start-up still runs.
class OverlapProbe : public ClientEventHandler, public DownloadListener {
public:
    AddonChangeListener* getAddonChangeListener() override { return nullptr; }
    ClientLifetimeListener* getClientLifetimeListener() override { return nullptr; }
    DownloadListener* getDownloadListener() override { return this; }
    DownloadRecognizerListener* getDownloadRecognizerListener() override { return nullptr; }
    UpdateListener* getUpdateListener() override { return nullptr; }

    void beforeRefreshDownloads() override {
        if (earlierTaskRunning)
            overlapped = true;
    }
    void afterRefreshDownloads() override {}
    void downloadStarted(const std::shared_ptr<DownloadItem>&) override {}
    void downloadProgress(const std::shared_ptr<DownloadItem>&) override {}
    void downloadCompleted(const std::shared_ptr<DownloadItem>&) override {}
    void downloadRemoved(const std::shared_ptr<DownloadItem>&) override {}

    std::atomic<bool> earlierTaskRunning{false};
    std::atomic<bool> overlapped{false};
};

// The earlier dispatcher's last task outlasts its shutdown wait; the new
// start-up's events must still wait for it, so listeners never run on two
// dispatcher threads at once.
TEST(ClientTest, RestartDeliversNothingWhileTheEarlierDispatcherStillDelivers) {
    TestEnvironment env;
    OverlapProbe probe;
    Client client(&probe, std::make_unique<ClientRepository>(env.scratch() / "data"),
                  plenfox::test::undetectedInstallation());
    ASSERT_TRUE(client.initialize());
    client.getEventDispatcher()->invokeLater([&probe] {
        probe.earlierTaskRunning = true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        probe.earlierTaskRunning = false;
    });
    while (!probe.earlierTaskRunning)
        std::this_thread::yield();
    client.shutdown();
    ASSERT_TRUE(client.initialize());
    client.getEventDispatcher()->sink();
    EXPECT_FALSE(probe.overlapped);
    client.shutdown();
}

// Callers on other threads use the components while the client restarts:
// every component they obtain stays usable for as long as they hold it.
TEST(ClientTest, ComponentsObtainedDuringRestartsStayUsable) {
    TestEnvironment env;
    Client client(nullptr, std::make_unique<ClientRepository>(env.scratch() / "data"),
                  plenfox::test::undetectedInstallation());
    ASSERT_TRUE(client.initialize());
    std::atomic<bool> done{false};
    std::atomic<int> uses{0};
    std::thread reader([&] {
        while (!done) {
            if (const auto addons = client.getAddonManager())
                addons->getAddons();
            if (const auto downloads = client.getDownloadManager())
                downloads->getDownloads();
            if (const auto dispatcher = client.getEventDispatcher())
                dispatcher->isDispatcherThread();
            if (const auto updates = client.getUpdateManager())
                updates->getUpdates();
            ++uses;
        }
    });
    for (int restart = 0; restart < 10; ++restart) {
        client.shutdown();
        ASSERT_TRUE(client.initialize());
    }
    while (uses < 10)
        std::this_thread::yield();
    done = true;
    reader.join();
    client.shutdown();
}

TEST(ClientTest, ClientRepositoryNamesItsFiles) {
    ClientRepository repository(fs::path("/r"));
    EXPECT_EQ(repository.getFileInRoot(QStringLiteral("Updates.dat")), fs::path("/r/Updates.dat"));
    EXPECT_EQ(repository.getDownloadRepository(), fs::path("/r/downloads"));
    EXPECT_THROW(repository.getFileInRoot(QString()), plenfox::util::IllegalArgumentError);
}

} // namespace
