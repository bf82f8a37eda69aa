#include "client/model/UpdateManager.h"
#include "client/model/AddonManager.h"
#include "client/model/Client.h"
#include "client/model/ClientEventHandler.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/EventDispatcher.h"
#include "client/model/ObjectWriter.h"
#include "client/model/PlenfoxUpdateSource.h"
#include "client/model/UpdateProtocol.h"
#include "client/model/UpdateSource.h"
#include "client/wow/InstalledWowAddon.h"
#include "client/wow/WowInstallation.h"
#include "client/wow/ZippedWowAddonPackage.h"
#include "lib/util/Error.h"
#include "service/UpdateServiceThread.h"
#include "tests/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <atomic>
#include <future>
#include <gtest/gtest.h>
#include <latch>
#include <limits>
#include <mutex>

using namespace plenfox::client::model;
using plenfox::client::wow::InstalledWowAddon;
using plenfox::test::readFile;
using plenfox::test::writeFile;
namespace fs = std::filesystem;

namespace {

constexpr qint64 Minute = 60 * 1000;
constexpr qint64 Hour = 60 * Minute;
constexpr qint64 T0 = 1'700'000'000'000;

using Entries = std::vector<std::shared_ptr<AddonMetadata>>;

// An entry of an answer, as the service sends it.
std::shared_ptr<AddonMetadata> offered(const QString& name, const QString& version,
                                       const QString& url = QString()) {
    return std::make_shared<AddonMetadata>(name, QString(), version, false, url);
}

// An entry of a query.
std::shared_ptr<AddonMetadata> asked(const QString& name, const QString& version = "1") {
    return std::make_shared<AddonMetadata>(name, QString(), version, true, QString());
}

TagTable queryTags() {
    return TagTable{{UpdateProtocol::TagClientVersion, QStringLiteral("v0.2 beta")},
                    {UpdateProtocol::TagExpectedServerVersion, QStringLiteral("0.0.1")},
                    {UpdateProtocol::TagWowInstalled, QStringLiteral("true")},
                    {UpdateProtocol::TagWowVersion, QStringLiteral("")}};
}

std::shared_ptr<UpdateQuery> looseQuery(const QStringList& names) {
    Entries loose;
    for (const QString& name : names)
        loose.push_back(asked(name));
    return std::make_shared<UpdateQuery>(std::vector<std::shared_ptr<AddonPackageMetadata>>{},
                                         std::move(loose), queryTags());
}

std::shared_ptr<UpdateResult> answer(Entries addons) {
    TagTable tags = queryTags();
    tags.insert(UpdateProtocol::TagServerMessage, QStringLiteral("hello"));
    return std::make_shared<UpdateResult>(std::move(addons), std::move(tags));
}

// Stands in for the update service: counts the queries, keeps the last one,
// and answers, fails, throws or holds the query until released.
class FakeSource : public UpdateSource {
public:
    enum class Mode { Answer, Fail, Throw };

    std::shared_ptr<UpdateResult> queryUpdates(const UpdateQuery& query) override {
        {
            std::lock_guard guard(lock);
            ++calls;
            last = std::make_shared<UpdateQuery>(query);
        }
        if (held) {
            entered.count_down();
            released.wait();
        }
        switch (mode.load()) {
        case Mode::Fail:
            return nullptr;
        case Mode::Throw:
            throw plenfox::util::IoError(QStringLiteral("line dropped"));
        case Mode::Answer:
            break;
        }
        std::lock_guard guard(lock);
        return reply ? reply : std::make_shared<UpdateResult>(Entries{}, query.getPairs());
    }

    int callCount() {
        std::lock_guard guard(lock);
        return calls;
    }
    std::shared_ptr<UpdateQuery> lastQuery() {
        std::lock_guard guard(lock);
        return last;
    }
    void answerWith(std::shared_ptr<UpdateResult> result) {
        std::lock_guard guard(lock);
        reply = std::move(result);
    }
    // Queries block from now on until release().
    void hold() { held = true; }
    void release() { releaser.set_value(); }

    std::atomic<Mode> mode{Mode::Answer};
    std::latch entered{1};

private:
    std::mutex lock;
    int calls = 0;
    std::shared_ptr<UpdateQuery> last;
    std::shared_ptr<UpdateResult> reply;
    std::atomic<bool> held{false};
    std::promise<void> releaser;
    std::shared_future<void> released{releaser.get_future().share()};
};

// Stands in for the main window: records the update events in delivery order.
class Recorder : public UpdateListener, public ClientEventHandler {
public:
    void afterQuery(UpdateManager&, bool successful) override {
        record(successful ? "afterQuery:true" : "afterQuery:false");
    }
    void afterRefresh(UpdateManager&) override { record("afterRefresh"); }
    void beforeQuery(UpdateManager&) override { record("beforeQuery"); }
    void beforeRefresh(UpdateManager&) override { record("beforeRefresh"); }

    AddonChangeListener* getAddonChangeListener() override { return nullptr; }
    ClientLifetimeListener* getClientLifetimeListener() override { return nullptr; }
    DownloadListener* getDownloadListener() override { return nullptr; }
    DownloadRecognizerListener* getDownloadRecognizerListener() override { return nullptr; }
    UpdateListener* getUpdateListener() override { return this; }

    QStringList take() {
        std::lock_guard guard(lock);
        return std::exchange(events, {});
    }

private:
    void record(const char* event) {
        std::lock_guard guard(lock);
        events << QString::fromLatin1(event);
    }
    std::mutex lock;
    QStringList events;
};

const QStringList QueryAndRefresh{"beforeQuery", "afterQuery:true", "beforeRefresh",
                                  "afterRefresh"};
const QStringList RefreshOnly{"beforeRefresh", "afterRefresh"};

// A client on a scratch data folder and game folder whose update manager asks
// `source` and reads the clock `now`.
class UpdateManagerTest : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(addonRoot()); }
    void TearDown() override { stop(); }

    UpdateManager& start(bool updatesEnabled = true) {
        auto manager = std::make_unique<UpdateManager>(source, [this] { return now.load(); });
        manager->setShutdownTimeout(shutdownTimeout);
        client =
            std::make_unique<Client>(&recorder, std::make_unique<ClientRepository>(dataFolder()),
                                     plenfox::test::undetectedInstallation());
        client->setUpdateManager(std::move(manager));
        auto options = std::make_shared<ClientOptions>();
        options->setWowFolder(game());
        options->setUpdatesEnabled(updatesEnabled);
        EXPECT_TRUE(client->initialize(options));
        return *client->getUpdateManager();
    }
    void stop() {
        if (client)
            client->shutdown();
        client.reset();
    }

    UpdateManager& updates() { return *client->getUpdateManager(); }
    AddonManager& addons() { return *client->getAddonManager(); }

    // The update events delivered since the last call, once the addon events,
    // the work they queued and the events that work posted have all run. Each
    // round lets the dispatcher and then the worker finish what was queued so
    // far; the longest chain here (an asynchronous addon refresh, its events,
    // the query they queue, the query's events) needs three.
    QStringList events() {
        for (int round = 0; round < 4; ++round) {
            client->getEventDispatcher()->sink();
            updates().sinkWorker();
        }
        return recorder.take();
    }
    void refreshAddons() {
        addons().refreshAddonsAsync();
        events();
    }

    fs::path game() const { return env.scratch() / "Game"; }
    fs::path addonRoot() const { return game() / "interface" / "addons"; }
    fs::path dataFolder() const { return env.scratch() / "data"; }
    fs::path updatesFile() const { return dataFolder() / "Updates.dat"; }

    void install(const QString& name, const QByteArray& toc) {
        writeFile(addonRoot() / name.toStdString() / (name + ".toc").toStdString(), toc);
    }
    std::shared_ptr<InstalledWowAddon> addon(const QString& name) {
        return addons().getAddonByName(name);
    }
    static QStringList names(const std::vector<AvailableUpdate>& available) {
        QStringList result;
        for (const AvailableUpdate& update : available)
            result << update.getInstalled()->getName() + "->" + update.getUpdate()->getVersion();
        return result;
    }
    bool logged(const QString& suffix) const {
        return env.logContains(UpdateManager::Prefix + suffix);
    }

    // Writes a data file as the components do; `write` adds the values.
    void writeData(const fs::path& path, const std::function<void(ObjectWriter&)>& write) {
        fs::create_directories(path.parent_path());
        QFile file(QString::fromStdU16String(path.u16string()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ObjectWriter writer(file);
        write(writer);
    }
    void writeStored(const std::function<void(ObjectWriter&)>& write) {
        writeData(updatesFile(), write);
    }
    void writeStored(qint64 time, std::shared_ptr<UpdateQuery> query,
                     std::shared_ptr<UpdateResult> result) {
        writeStored([&](ObjectWriter& writer) {
            writer.writeTimestamp(QDateTime::fromMSecsSinceEpoch(time, Qt::UTC));
            writer.writeObject(query);
            writer.writeObject(result);
        });
    }

    plenfox::test::TestEnvironment env;
    Recorder recorder;
    std::shared_ptr<FakeSource> fake = std::make_shared<FakeSource>();
    std::shared_ptr<UpdateSource> source = fake;
    std::atomic<qint64> now{T0};
    std::chrono::milliseconds shutdownTimeout{std::chrono::seconds(10)};
    std::unique_ptr<Client> client;
};

TEST_F(UpdateManagerTest, FreshCoveringAnswerSendsNothingAndAnyVersionDifferenceIsAnUpdate) {
    install("Alpha", "## Version: 1.0\n");
    install("Beta", "## Title: Beta without a version\n"); // version text "?"
    install("Gamma", "## Version: v1\n");
    install("Delta", "## Version: 1.0.0\n");
    install("Epsilon", "## Version: 0.9\n");
    Entries packed{asked("Alpha"), asked("Beta")};
    auto query = std::make_shared<UpdateQuery>(
        std::vector{std::make_shared<AddonPackageMetadata>(packed, QString(), "AB.zip")},
        Entries{asked("Gamma"), asked("Delta"), asked("Epsilon")}, queryTags());
    writeStored(T0 - (3 * Hour + 59 * Minute), query,
                answer({offered("Alpha", "1.0.0", "http://pages.example/alpha"),
                        offered("Beta", "1"), offered("Gamma", "V1"), offered("Delta", "1.0.0"),
                        offered("Zeta", "3"), offered("Epsilon", "0.8")}));

    start();
    // It hears addon events before the main window; the window hears it.
    const qsizetype report =
        env.logIndexOf(AddonChangeListenerMultiplexer::Prefix + ".listenerReport: ");
    ASSERT_GE(report, 0);
    EXPECT_TRUE(env.logLines()[report].contains("pri[-1]: " + updates().toString() + "; "));
    EXPECT_TRUE(env.logContains(UpdateListenerMultiplexer::Prefix + ".listenerReport: pri[0]: "));
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(fake->callCount(), 0);
    EXPECT_FALSE(logged(".refresh: current results out of date"));
    EXPECT_TRUE(logged(".processUpdates: 5"));
    EXPECT_TRUE(logged(".processUpdates: 4 updates available."));
    // In answer order; equal text only ("1.0.0" for Delta) is no update,
    // older counts as well as newer.
    EXPECT_EQ(names(updates().getUpdates()),
              QStringList({"Alpha->1.0.0", "Beta->1", "Gamma->V1", "Epsilon->0.8"}));
    EXPECT_FALSE(updates().getUpdate(addon("Delta")));
    ASSERT_TRUE(updates().getUpdate(addon("Gamma")));
    EXPECT_EQ(updates().getUpdate(addon("Gamma"))->getUpdate()->getVersion(), "V1");
    // Only the very record that is installed has an update.
    EXPECT_FALSE(updates().getUpdate(
        std::make_shared<InstalledWowAddon>(client->getWow(), "Alpha", addonRoot() / "Alpha")));

    // The update's page wins over the web search; without one the search is used.
    EXPECT_EQ(addons().getBrowseUrl(addon("Alpha")), "http://pages.example/alpha");
    EXPECT_EQ(addons().getBrowseUrl(addon("Beta")), AddonManager::getSearchUrl("Beta"));
    EXPECT_EQ(updates().getValue(UpdateProtocol::TagServerMessage), "hello");
    EXPECT_TRUE(updates().getValue("meta-unknown").isNull());

    // A package installation asks again, however fresh the answer.
    addons().install(std::make_shared<plenfox::client::wow::ZippedWowAddonPackage>(
        fs::path(PLENFOX_TEST_DATA_DIR) / "manager" / "Alpha-2.0.zip"));
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_EQ(fake->callCount(), 1);
}

TEST_F(UpdateManagerTest, AnswerIsFreshUpToExactlyFourHoursAndInTheFuture) {
    install("Alpha", "## Version: 1\n");
    writeStored(T0, looseQuery({"Alpha"}), answer({}));

    now = T0 - Minute; // stored time lies in the future
    start();
    EXPECT_EQ(events(), RefreshOnly);
    now = T0 + 4 * Hour;
    refreshAddons();
    EXPECT_EQ(fake->callCount(), 0);
    EXPECT_FALSE(logged(".refresh: current results out of date"));

    now = T0 + 4 * Hour + 1;
    addons().refreshAddonsAsync();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_EQ(fake->callCount(), 1);
    EXPECT_TRUE(logged(".refresh: current results out of date"));
    EXPECT_EQ(updates().getLastUpdateTime(), T0 + 4 * Hour + 1);

    // A stored time far in the past is out of date, not wrapped into the future.
    EXPECT_TRUE(UpdateManager::isOutOfDate(std::numeric_limits<qint64>::min(), T0));
    EXPECT_FALSE(UpdateManager::isOutOfDate(std::numeric_limits<qint64>::max(), T0));
}

TEST_F(UpdateManagerTest, AddonMissingFromTheStoredQuerySendsAQuery) {
    install("Alpha", "## Version: 1.0\n");
    install("Beta", "## Version: 2\n");
    // Names are compared exactly: "alpha" does not cover "Alpha".
    writeStored(T0 - Hour, looseQuery({"alpha", "Beta"}), answer({}));
    fake->answerWith(answer({offered("Beta", "3")}));

    start();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_TRUE(logged(".refresh: no results for addon [Alpha]"));
    EXPECT_FALSE(logged(".refresh: no results for addon [Beta]"));
    ASSERT_EQ(fake->callCount(), 1);
    const auto sent = fake->lastQuery();
    // Loose, in the addon folder's listing order.
    ASSERT_EQ(sent->getLooseAddons().size(), 2u);
    const auto& first = sent->getLooseAddons()[0];
    const auto& alpha = first->getName() == "Alpha" ? first : sent->getLooseAddons()[1];
    EXPECT_EQ(*alpha, AddonMetadata("Alpha", QString(), "1.0", true, QString()));
    EXPECT_TRUE(sent->getAddonPackages().empty());
    EXPECT_EQ(sent->getPairs(), queryTags());
    EXPECT_TRUE(logged(".update: query with 0 packages, 2 loose addons and 4 pairs"));
    EXPECT_TRUE(logged(".update: query complete 1 addons; 5 pairs"));
    EXPECT_EQ(names(updates().getUpdates()), QStringList({"Beta->3"}));
    EXPECT_EQ(updates().getLastUpdateTime(), T0);

    // Removing an addon rechecks: the new answer covers the rest.
    addons().removeAddons({addon("Alpha")});
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(fake->callCount(), 1);
}

TEST_F(UpdateManagerTest, DisabledUpdatesSendNothingAndKeepTheStoredFile) {
    install("Alpha", "## Version: 1\n");
    writeStored(T0 - 5 * Hour, looseQuery({"Alpha"}), answer({offered("Alpha", "2")}));
    const QByteArray before = readFile(updatesFile());

    start(false);
    EXPECT_EQ(events(), QStringList({"beforeQuery", "afterQuery:false"}));
    EXPECT_EQ(fake->callCount(), 0);
    EXPECT_TRUE(logged(".update: update information is disabled"));
    EXPECT_EQ(updates().getLastUpdateTime(), T0 - 5 * Hour);
    stop();
    EXPECT_EQ(readFile(updatesFile()), before);
    EXPECT_FALSE(fs::exists(dataFolder() / "Updates.dat.tmp"));
}

TEST_F(UpdateManagerTest, NoAddonsStoresAnEmptyAnswerWithoutAsking) {
    start();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_EQ(fake->callCount(), 0);
    EXPECT_TRUE(logged(".update: query with 0 packages, 0 loose addons and 4 pairs"));
    EXPECT_TRUE(fs::is_regular_file(updatesFile()));
    stop();

    // The stored empty answer is fresh at the next start.
    start();
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(fake->callCount(), 0);
    ASSERT_TRUE(updates().getStoredResult());
    EXPECT_TRUE(updates().getStoredResult()->getAddons().empty());
    EXPECT_EQ(updates().getLastUpdateTime(), T0);
}

TEST_F(UpdateManagerTest, FailedExchangeKeepsTheStoredAnswerAndTheUpdates) {
    install("Alpha", "## Version: 1\n");
    writeStored(T0 - Hour, looseQuery({"Alpha"}), answer({offered("Alpha", "2")}));
    start();
    EXPECT_EQ(events(), RefreshOnly);
    const QByteArray stored = readFile(updatesFile());
    const auto before = updates().getStoredResult();

    fake->mode = FakeSource::Mode::Fail;
    updates().updateAsync();
    EXPECT_EQ(events(), QStringList({"beforeQuery", "afterQuery:false"}));
    EXPECT_TRUE(logged(".update: query complete, null result"));

    fake->mode = FakeSource::Mode::Throw;
    updates().updateAsync();
    EXPECT_EQ(events(), QStringList({"beforeQuery", "afterQuery:false"}));
    EXPECT_TRUE(env.logContains("Exception: [IOException: line dropped]"));
    EXPECT_TRUE(logged(".update: failure to queryUpdates"));
    EXPECT_EQ(env.app().getExceptionCount(), 1);

    EXPECT_EQ(fake->callCount(), 2);
    EXPECT_EQ(updates().getStoredResult(), before);
    EXPECT_EQ(updates().getLastUpdateTime(), T0 - Hour);
    EXPECT_EQ(names(updates().getUpdates()), QStringList({"Alpha->2"}));
    stop();
    EXPECT_EQ(readFile(updatesFile()), stored);
}

TEST_F(UpdateManagerTest, StoredValuesAreUsedOnlyWhenAllThreeHaveTheirTypes) {
    install("Alpha", "## Version: 1\n");
    const auto query = looseQuery({"Alpha"});
    const auto result = answer({offered("Alpha", "2")});
    const std::vector<std::function<void(ObjectWriter&)>> broken{
        [&](ObjectWriter& w) { // text where the time belongs
            w.writeString("yesterday");
            w.writeObject(query);
            w.writeObject(result);
        },
        [&](ObjectWriter& w) { // query and answer swapped
            w.writeTimestamp(QDateTime::fromMSecsSinceEpoch(T0, Qt::UTC));
            w.writeObject(result);
            w.writeObject(query);
        },
        [&](ObjectWriter& w) { // no query
            w.writeTimestamp(QDateTime::fromMSecsSinceEpoch(T0, Qt::UTC));
            w.writeNull();
            w.writeObject(result);
        },
    };
    for (const auto& write : broken) {
        writeStored(write);
        start(false);
        EXPECT_FALSE(updates().getLastUpdateTime());
        EXPECT_FALSE(updates().getSavedQuery());
        EXPECT_FALSE(updates().getStoredResult());
        EXPECT_TRUE(updates().getValue(UpdateProtocol::TagServerMessage).isNull());
        EXPECT_TRUE(updates().getUpdates().empty());
        // Without an answer there is nothing to recompute from.
        updates().updateEventsOnly();
        EXPECT_EQ(events(), QStringList({"beforeQuery", "afterQuery:false"}));
        stop();
    }
    EXPECT_TRUE(logged(".processUpdates: no stored update information"));
    // Only the record of another type is a read error; the rest are just ignored.
    EXPECT_EQ(env.app().getExceptionCount(), 1);

    // The same values in their places are used.
    writeStored(T0, query, result);
    start(false);
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(names(updates().getUpdates()), QStringList({"Alpha->2"}));
}

TEST_F(UpdateManagerTest, ShutdownWaitsForAHangingQueryOnlyWithinItsBound) {
    install("Alpha", "## Version: 1\n");
    writeStored(T0 - 5 * Hour, looseQuery({"Alpha"}), answer({}));
    const QByteArray stored = readFile(updatesFile());
    fake->hold();
    shutdownTimeout = std::chrono::milliseconds(300);
    start();
    fake->entered.wait();

    QElapsedTimer timer;
    timer.start();
    client->shutdown();
    const qint64 elapsed = timer.elapsed();
    EXPECT_GE(elapsed, 300);
    EXPECT_LT(elapsed, 5000);
    EXPECT_TRUE(logged(".shutdown: Event queue terminated"));
    EXPECT_TRUE(logged(".shutdown: a query is still running; storing the answer held so far"));
    EXPECT_EQ(readFile(updatesFile()), stored);

    // The query ends later; the client then goes away cleanly.
    fake->release();
    client.reset();
    EXPECT_EQ(fake->callCount(), 1);
}

TEST_F(UpdateManagerTest, QueryGroupsAddonsByTheDownloadTheyCameFrom) {
    fs::create_directories(dataFolder() / "downloads");
    for (const char* name : {"Trio.zip", "Solo-1.0.zip"})
        fs::copy_file(fs::path(PLENFOX_TEST_DATA_DIR) / "recognizer" / name,
                      dataFolder() / "downloads" / name, fs::copy_options::overwrite_existing);
    const QString page = "https://trio.example/page";
    writeData(dataFolder() / "DownloadURLs.dat", [&](ObjectWriter& writer) {
        writer.writeStringMap({{"Trio.zip", page}});
    });
    // The installed versions are the packages' own, so the addons are theirs.
    install("Ant", "## Version: a1\n");
    install("Bee", "## Version: b1\n");
    install("Cat", "## Version: c1\n");
    install("Solo", "## Version: 1.0\n");
    for (const char* loose : {"Xi", "Yu", "Zed"})
        install(loose, "## Version: 1\n");

    start();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_TRUE(logged(".update: query with 2 packages, 3 loose addons and 4 pairs"));
    const auto sent = fake->lastQuery();
    ASSERT_TRUE(sent);

    // Package and addon order follow the addon folder's listing: compare sorted.
    QStringList packages;
    for (const auto& package : sent->getAddonPackages()) {
        QStringList members;
        for (const auto& member : package->getAddons()) {
            EXPECT_EQ(member->getPackageName(), package->getPackageName());
            EXPECT_EQ(member->getDocumentUrl(), package->getDocumentUrl());
            EXPECT_TRUE(member->getInstalled());
            members << member->getName() + " " + member->getVersion();
        }
        members.sort();
        packages << package->getPackageName() + " [" +
                        (package->getDocumentUrl().isNull() ? "no page"
                                                            : package->getDocumentUrl()) +
                        "] " + members.join(", ");
    }
    packages.sort();
    EXPECT_EQ(packages, QStringList({"Solo-1.0.zip [no page] Solo 1.0",
                                     "Trio.zip [" + page + "] Ant a1, Bee b1, Cat c1"}));
    QStringList loose;
    for (const auto& entry : sent->getLooseAddons()) {
        EXPECT_TRUE(entry->getPackageName().isNull());
        loose << entry->getName();
    }
    loose.sort();
    EXPECT_EQ(loose, QStringList({"Xi", "Yu", "Zed"}));
}

const QByteArray Catalog = QByteArrayLiteral(R"(<catalog name="Test service">
  <tag name="meta-server-version">0.0.1</tag>
  <tag name="meta-server-message">Hello</tag>
  <package file="BagSorter-1.7.zip" page="/Plenfox.html#bags">
    <addon name="BagSorter" version="1.7"/>
  </package>
  <package file="Quest-2.4.1.zip">
    <addon name="Quest" version="2.4.1"/>
  </package>
</catalog>)");

TEST_F(UpdateManagerTest, ExchangeWithTheReferenceServiceAndRestart) {
    plenfox::service::UpdateServiceThread service(
        std::make_shared<const plenfox::service::UpdateCatalog>(
            plenfox::service::UpdateCatalog::parse(Catalog)));
    PlenfoxUpdateSource::Options bounds;
    bounds.totalTimeout = std::chrono::milliseconds(10000);
    source = std::make_shared<PlenfoxUpdateSource>(service.baseUrl() + "/info", bounds);
    install("BagSorter", "## Version: 1.5\n");
    install("Quest", "## Version: 2.4.1\n");
    install("Mine", "## Version: 1\n");

    start();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_EQ(service.service().requests().size(), 1);
    const auto available = updates().getUpdates();
    ASSERT_EQ(names(available), QStringList({"BagSorter->1.7"}));
    EXPECT_EQ(available[0].getInstalled(), addon("BagSorter"));
    const QString page = service.baseUrl() + "/Plenfox.html#bags";
    EXPECT_EQ(available[0].getUpdate()->getDocumentUrl(), page);
    EXPECT_EQ(addons().getBrowseUrl(addon("BagSorter")), page);
    EXPECT_EQ(updates().getValue(UpdateProtocol::TagServerMessage), "Hello");
    EXPECT_EQ(updates().getValue(UpdateProtocol::TagWowLearnedAddons), "1"); // Mine
    EXPECT_TRUE(logged(".update: query complete 2 addons; "));
    stop();

    // A restart within four hours reads the answer back and asks nothing.
    start();
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(service.service().requests().size(), 1);
    EXPECT_EQ(names(updates().getUpdates()), QStringList({"BagSorter->1.7"}));
    EXPECT_EQ(updates().getValue(UpdateProtocol::TagServerMessage), "Hello");
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

} // namespace
