#include "client/model/updates/UpdateManager.h"
#include "client/model/Client.h"
#include "client/model/ClientRepository.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/updates/PlenfoxUpdateSource.h"
#include "client/model/updates/UpdateProtocol.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "client/model/wow/ZippedWowAddonPackage.h"
#include "lib/util/Error.h"
#include "service/UpdateServiceThread.h"
#include "tests/support/TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <future>
#include <gtest/gtest.h>
#include <limits>

using namespace plenfox::client::model;
using plenfox::test::readFile;
namespace fs = std::filesystem;

namespace {

constexpr qint64 Minute = 60'000, Hour = 60 * Minute, T0 = 1'700'000'000'000;
using Entries = std::vector<std::shared_ptr<AddonMetadata>>;
using Responder = std::function<std::shared_ptr<UpdateResult>(const UpdateQuery&)>;

std::shared_ptr<AddonMetadata> entry(const QString& name, const QString& version,
                                     const QString& url = QString()) {
    return std::make_shared<AddonMetadata>(name, QString(), version, false, url);
}

TagTable queryTags() {
    return {{UpdateProtocol::TagClientVersion, "v0.2 beta"},
            {UpdateProtocol::TagExpectedServerVersion, "0.0.1"},
            {UpdateProtocol::TagWowInstalled, "true"},
            {UpdateProtocol::TagWowVersion, ""}};
}

std::shared_ptr<UpdateQuery> looseQuery(const QStringList& names) {
    Entries loose;
    for (const QString& name : names)
        loose.push_back(entry(name, "1"));
    return std::make_shared<UpdateQuery>(std::vector<std::shared_ptr<AddonPackageMetadata>>{},
                                         std::move(loose), queryTags());
}

std::shared_ptr<UpdateResult> answer(Entries addons) {
    TagTable tags = queryTags();
    tags.insert(UpdateProtocol::TagServerMessage, "hello");
    return std::make_shared<UpdateResult>(std::move(addons), std::move(tags));
}

// Stands in for the update service: counts the queries, keeps the last one
// and answers through `respond` (by default: no addons, the query's tags).
class FakeSource : public UpdateSource {
public:
    std::shared_ptr<UpdateResult> queryUpdates(const UpdateQuery& query) override {
        Responder reply;
        {
            std::lock_guard guard(lock);
            ++calls;
            last = std::make_shared<UpdateQuery>(query);
            reply = respond;
        }
        return reply ? reply(query) : std::make_shared<UpdateResult>(Entries{}, query.getPairs());
    }
    void setRespond(Responder responder) {
        std::lock_guard guard(lock);
        respond = std::move(responder);
    }
    int callCount() {
        std::lock_guard guard(lock);
        return calls;
    }
    std::shared_ptr<UpdateQuery> lastQuery() {
        std::lock_guard guard(lock);
        return last;
    }

private:
    std::mutex lock;
    int calls = 0;
    std::shared_ptr<UpdateQuery> last;
    Responder respond;
};

const QStringList QueryAndRefresh{"beforeQuery", "afterQuery:true", "beforeRefresh",
                                  "afterRefresh"};
const QStringList RefreshOnly{"beforeRefresh", "afterRefresh"};
const QStringList FailedQuery{"beforeQuery", "afterQuery:false"};

// A client on a scratch data folder and game folder whose update manager asks
// `source` and reads the clock `now`. The fixture stands in for the main
// window and records the update events in delivery order.
class UpdateManagerTest : public ::testing::Test, public UpdateListener, public ClientEventHandler {
protected:
    void afterQuery(UpdateManager&, bool ok) override {
        record(ok ? "afterQuery:true" : "afterQuery:false");
    }
    void afterRefresh(UpdateManager&) override { record("afterRefresh"); }
    void beforeQuery(UpdateManager&) override { record("beforeQuery"); }
    void beforeRefresh(UpdateManager&) override { record("beforeRefresh"); }
    void record(const char* event) {
        std::lock_guard guard(lock);
        recorded << QString::fromLatin1(event);
    }
    AddonChangeListener* getAddonChangeListener() override { return nullptr; }
    ClientLifetimeListener* getClientLifetimeListener() override { return nullptr; }
    DownloadListener* getDownloadListener() override { return nullptr; }
    DownloadRecognizerListener* getDownloadRecognizerListener() override { return nullptr; }
    UpdateListener* getUpdateListener() override { return this; }

    void SetUp() override { fs::create_directories(addonRoot()); }
    void TearDown() override { stop(); }

    UpdateManager& start(bool updatesEnabled = true) {
        auto manager = std::make_unique<UpdateManager>(source, [this] { return now.load(); });
        manager->setShutdownTimeout(shutdownTimeout);
        client = std::make_unique<Client>(this, std::make_unique<ClientRepository>(dataFolder()),
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

    // The update events delivered since the last call, once the dispatcher and
    // the update worker are idle.
    QStringList events() {
        plenfox::test::settle(*client);
        std::lock_guard guard(lock);
        return std::exchange(recorded, {});
    }

    fs::path game() const { return env.scratch() / "Game"; }
    fs::path addonRoot() const { return game() / "interface" / "addons"; }
    fs::path dataFolder() const { return env.scratch() / "data"; }
    fs::path updatesFile() const { return dataFolder() / "Updates.dat"; }

    void install(const char* name, const QByteArray& version) {
        const QByteArray toc =
            version.isNull() ? QByteArray("## Title: none\n") : "## Version: " + version + "\n";
        plenfox::test::writeFile(addonRoot() / name / (std::string(name) + ".toc"), toc);
    }
    std::shared_ptr<plenfox::client::wow::InstalledWowAddon> addon(const QString& name) {
        return addons().getAddonByName(name);
    }
    QStringList available() {
        QStringList result;
        for (const AvailableUpdate& update : updates().getUpdates())
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
    void writeStored(qint64 time, std::shared_ptr<UpdateQuery> query,
                     std::shared_ptr<UpdateResult> result) {
        writeData(updatesFile(), [&](ObjectWriter& writer) {
            writer.writeTimestamp(QDateTime::fromMSecsSinceEpoch(time, Qt::UTC));
            writer.writeObject(query);
            writer.writeObject(result);
        });
    }

    plenfox::test::TestEnvironment env;
    std::mutex lock;
    QStringList recorded;
    std::shared_ptr<FakeSource> fake = std::make_shared<FakeSource>();
    std::shared_ptr<UpdateSource> source = fake;
    std::atomic<qint64> now{T0};
    std::chrono::milliseconds shutdownTimeout{std::chrono::seconds(10)};
    std::unique_ptr<Client> client;
};

TEST_F(UpdateManagerTest, FreshAnswerIsOnlyRecomputedAndFailedQueriesKeepIt) {
    install("Alpha", "1.0");
    install("Beta", QByteArray()); // no version: "?"
    install("Gamma", "v1");
    install("Delta", "1.0.0");
    auto query = std::make_shared<UpdateQuery>(
        std::vector{std::make_shared<AddonPackageMetadata>(
            Entries{entry("Alpha", "1.0"), entry("Beta", "?")}, QString(), "AB.zip")},
        Entries{entry("Gamma", "v1"), entry("Delta", "1.0.0")}, queryTags());
    writeStored(T0 - (3 * Hour + 59 * Minute), query,
                answer({entry("Alpha", "1.0.0", "http://pages.example/alpha"), entry("Beta", "1"),
                        entry("Gamma", "V1"), entry("Delta", "1.0.0"), entry("Zeta", "3")}));

    start();
    // It hears addon events before the main window's listeners.
    const qsizetype report =
        env.logIndexOf(AddonChangeListenerMultiplexer::Prefix + ".listenerReport: ");
    ASSERT_GE(report, 0);
    EXPECT_TRUE(env.logLines()[report].contains("pri[-1]: " + updates().toString() + "; "));
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(fake->callCount(), 0);
    EXPECT_TRUE(logged(".processUpdates: 3 updates available."));
    // Any difference in the text is an update; equal text is none.
    EXPECT_EQ(available(), QStringList({"Alpha->1.0.0", "Beta->1", "Gamma->V1"}));
    EXPECT_FALSE(updates().getUpdate(addon("Delta")));
    // The update's page wins over the web search.
    EXPECT_EQ(addons().getBrowseUrl(addon("Alpha")), "http://pages.example/alpha");
    EXPECT_EQ(addons().getBrowseUrl(addon("Beta")), AddonManager::getSearchUrl("Beta"));
    EXPECT_EQ(updates().getValue(UpdateProtocol::TagServerMessage), "hello");
    EXPECT_TRUE(updates().getValue("meta-unknown").isNull());

    // Failed exchanges change neither the answer nor the updates.
    const QByteArray stored = readFile(updatesFile());
    fake->setRespond([](const UpdateQuery&) { return nullptr; });
    updates().updateAsync();
    EXPECT_EQ(events(), FailedQuery);
    EXPECT_TRUE(logged(".update: query complete, null result"));
    fake->setRespond([](const UpdateQuery&) -> std::shared_ptr<UpdateResult> {
        throw plenfox::util::IoError("line dropped");
    });
    updates().updateAsync();
    EXPECT_EQ(events(), FailedQuery);
    EXPECT_TRUE(logged(".update: failure to queryUpdates"));
    EXPECT_EQ(env.app().getExceptionCount(), 1);
    EXPECT_EQ(updates().getLastUpdateTime(), T0 - (3 * Hour + 59 * Minute));
    EXPECT_EQ(available().size(), 3);

    // A package installation asks again, however fresh the answer.
    fake->setRespond(nullptr);
    addons().install(std::make_shared<plenfox::client::wow::ZippedWowAddonPackage>(
        fs::path(PLENFOX_TEST_DATA_DIR) / "manager" / "Alpha-2.0.zip"));
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_EQ(fake->callCount(), 3);
    EXPECT_NE(readFile(updatesFile()), stored);
}

TEST_F(UpdateManagerTest, AnswerIsFreshUpToExactlyFourHours) {
    install("Alpha", "1");
    writeStored(T0, looseQuery({"Alpha"}), answer({}));
    now = T0;
    start();
    EXPECT_EQ(events(), RefreshOnly);
    now = T0 + 4 * Hour;
    addons().refreshAddonsAsync();
    EXPECT_EQ(events(), RefreshOnly);

    now = T0 + 4 * Hour + 1;
    addons().refreshAddonsAsync();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_EQ(fake->callCount(), 1);
    EXPECT_TRUE(logged(".refresh: current results out of date"));
    EXPECT_EQ(updates().getLastUpdateTime(), T0 + 4 * Hour + 1);
    // A stored time far in the past is out of date, not wrapped into the future.
    EXPECT_TRUE(UpdateManager::isOutOfDate(std::numeric_limits<qint64>::min(), T0));
}

// A clock that once ran ahead stored a time that has not come yet: such an
// answer is stale, or no query would go out until that time.
TEST_F(UpdateManagerTest, StoredTimeInTheFutureIsStale) {
    install("Alpha", "1");
    writeStored(T0, looseQuery({"Alpha"}), answer({}));
    now = T0 - Minute;
    start();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_EQ(fake->callCount(), 1);
    EXPECT_TRUE(logged(".refresh: current results out of date"));
    EXPECT_EQ(updates().getLastUpdateTime(), T0 - Minute);
    EXPECT_TRUE(UpdateManager::isOutOfDate(std::numeric_limits<qint64>::max(), T0));
}

TEST_F(UpdateManagerTest, AddonMissingFromTheStoredQuerySendsAQuery) {
    install("Alpha", "1.0");
    install("Beta", "2");
    // Names are compared exactly: "alpha" does not cover "Alpha".
    writeStored(T0 - Hour, looseQuery({"alpha", "Beta"}), answer({}));
    fake->setRespond([](const UpdateQuery&) { return answer({entry("Beta", "3")}); });

    start();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_TRUE(logged(".refresh: no results for addon [Alpha]"));
    ASSERT_EQ(fake->callCount(), 1);
    const auto sent = fake->lastQuery();
    EXPECT_TRUE(sent->getAddonPackages().empty());
    ASSERT_EQ(sent->getLooseAddons().size(), 2u);
    const auto& first = sent->getLooseAddons()[0]; // addon folder order
    const auto& alpha = first->getName() == "Alpha" ? first : sent->getLooseAddons()[1];
    EXPECT_EQ(*alpha, AddonMetadata("Alpha", QString(), "1.0", true, QString()));
    EXPECT_EQ(sent->getPairs(), queryTags());
    EXPECT_TRUE(logged(".update: query with 0 packages, 2 loose addons and 4 pairs"));
    EXPECT_TRUE(logged(".update: query complete 1 addons; 5 pairs"));
    EXPECT_EQ(available(), QStringList({"Beta->3"}));

    // Removing an addon rechecks: the new answer covers the rest.
    addons().removeAddons({addon("Alpha")});
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(fake->callCount(), 1);
}

TEST_F(UpdateManagerTest, DisabledUpdatesSendNothingAndKeepTheStoredFile) {
    install("Alpha", "1");
    writeStored(T0 - 5 * Hour, looseQuery({"Alpha"}), answer({entry("Alpha", "2")}));
    const QByteArray before = readFile(updatesFile());
    start(false);
    EXPECT_EQ(events(), FailedQuery);
    EXPECT_EQ(fake->callCount(), 0);
    EXPECT_TRUE(logged(".update: update information is disabled"));
    stop();
    EXPECT_EQ(readFile(updatesFile()), before);
}

TEST_F(UpdateManagerTest, NoAddonsStoresAnEmptyAnswerWithoutAskingThatSurvivesARestart) {
    start();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_TRUE(logged(".update: query with 0 packages, 0 loose addons and 4 pairs"));
    EXPECT_TRUE(fs::is_regular_file(updatesFile()));
    stop();

    start();
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(fake->callCount(), 0);
    ASSERT_TRUE(updates().getStoredResult());
    EXPECT_TRUE(updates().getStoredResult()->getAddons().empty());
}

TEST_F(UpdateManagerTest, DownloadAddressesAfterTheAnswerMustFitIt) {
    install("Alpha", "1");
    install("Beta", "1");
    const auto query = looseQuery({"Alpha", "Beta"});
    const auto result = answer({entry("Alpha", "2"), entry("Beta", "3")});
    // Two addresses for the two entries, in the answer's order.
    writeData(updatesFile(), [&](ObjectWriter& writer) {
        writer.writeTimestamp(QDateTime::fromMSecsSinceEpoch(T0 - Hour, Qt::UTC));
        writer.writeObject(query);
        writer.writeObject(result);
        writer.beginList(2);
        writer.writeString("http://pkg.example/Alpha-2.zip");
        writer.writeString(QString());
    });
    start();
    EXPECT_EQ(events(), RefreshOnly);
    QStringList urls;
    for (const AvailableUpdate& update : updates().getUpdates())
        urls << update.getInstalled()->getName() + "=" + update.getUpdate()->getDownloadUrl();
    EXPECT_EQ(urls, QStringList({"Alpha=http://pkg.example/Alpha-2.zip", "Beta="}));
    stop();

    // A list of another length belongs to no answer of this file: the answer
    // stays, the addresses are dropped.
    writeData(updatesFile(), [&](ObjectWriter& writer) {
        writer.writeTimestamp(QDateTime::fromMSecsSinceEpoch(T0 - Hour, Qt::UTC));
        writer.writeObject(query);
        writer.writeObject(result);
        writer.beginList(1);
        writer.writeString("http://pkg.example/Alpha-2.zip");
    });
    start();
    EXPECT_EQ(events(), RefreshOnly);
    EXPECT_EQ(available(), QStringList({"Alpha->2", "Beta->3"}));
    for (const AvailableUpdate& update : updates().getUpdates())
        EXPECT_TRUE(update.getUpdate()->getDownloadUrl().isEmpty());
    EXPECT_TRUE(logged(".load: download addresses ignored, they do not match the answer"));
}

TEST_F(UpdateManagerTest, StoredValuesOfAnotherTypeAreIgnored) {
    install("Alpha", "1");
    const auto query = looseQuery({"Alpha"});
    const auto result = answer({entry("Alpha", "2")});
    const QDateTime time = QDateTime::fromMSecsSinceEpoch(T0, Qt::UTC);
    const std::function<void(ObjectWriter&)> broken[] = {
        [&](ObjectWriter& w) { // text where the time belongs
            w.writeString("yesterday");
            w.writeObject(query);
            w.writeObject(result);
        },
        [&](ObjectWriter& w) { // query and answer swapped
            w.writeTimestamp(time);
            w.writeObject(result);
            w.writeObject(query);
        },
        [&](ObjectWriter& w) { // no query
            w.writeTimestamp(time);
            w.writeNull();
            w.writeObject(result);
        },
    };
    for (const auto& write : broken) {
        writeData(updatesFile(), write);
        start(false);
        EXPECT_FALSE(updates().getLastUpdateTime());
        EXPECT_FALSE(updates().getSavedQuery());
        EXPECT_FALSE(updates().getStoredResult());
        // Without an answer there is nothing to recompute from.
        updates().updateEventsOnly();
        EXPECT_EQ(events(), FailedQuery);
        stop();
    }
    EXPECT_TRUE(logged(".processUpdates: no stored update information"));
    // Only the record of another type is a read error.
    EXPECT_EQ(env.app().getExceptionCount(), 1);
}

TEST_F(UpdateManagerTest, ShutdownWaitsForAHangingQueryOnlyWithinItsBound) {
    install("Alpha", "1");
    std::promise<void> released;
    std::latch entered(1);
    fake->setRespond([&, gate = released.get_future().share()](const UpdateQuery&) {
        entered.count_down();
        gate.wait();
        return UpdateResult::createEmpty();
    });
    shutdownTimeout = std::chrono::milliseconds(300);
    start();
    entered.wait();

    QElapsedTimer timer;
    timer.start();
    client->shutdown();
    EXPECT_GE(timer.elapsed(), 300);
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(logged(".shutdown: Event queue terminated"));
    // The query ends later; the client then goes away cleanly.
    released.set_value();
    client.reset();
}

TEST_F(UpdateManagerTest, QueryGroupsAddonsByTheDownloadTheyCameFrom) {
    fs::create_directories(dataFolder() / "downloads");
    for (const char* name : {"Trio.zip", "Solo-1.0.zip"})
        fs::copy_file(fs::path(PLENFOX_TEST_DATA_DIR) / "recognizer" / name,
                      dataFolder() / "downloads" / name);
    writeData(dataFolder() / "DownloadURLs.dat", [](ObjectWriter& writer) {
        writer.writeStringMap({{"Trio.zip", "https://trio.example/page"}});
    });
    // The packages' own versions, so that the addons are theirs.
    const std::pair<const char*, const char*> installed[] = {
        {"Ant", "a1"}, {"Bee", "b1"}, {"Cat", "c1"}, {"Solo", "1.0"},
        {"Xi", "1"},   {"Yu", "1"},   {"Zed", "1"}};
    for (const auto& [name, version] : installed)
        install(name, version);

    start();
    EXPECT_EQ(events(), QueryAndRefresh);
    EXPECT_TRUE(logged(".update: query with 2 packages, 3 loose addons and 4 pairs"));
    // Packages and addons come in the addon folder's order: compare sorted.
    QStringList packages;
    for (const auto& package : fake->lastQuery()->getAddonPackages()) {
        QStringList members;
        for (const auto& member : package->getAddons())
            members << member->getName() + " " + member->getVersion() + " " +
                           member->getPackageName() + " " + member->getDocumentUrl();
        members.sort();
        packages << package->getPackageName() + " <" + package->getDocumentUrl() + "> " +
                        members.join(", ");
    }
    packages.sort();
    EXPECT_EQ(packages, QStringList({"Solo-1.0.zip <> Solo 1.0 Solo-1.0.zip ",
                                     "Trio.zip <https://trio.example/page> "
                                     "Ant a1 Trio.zip https://trio.example/page, "
                                     "Bee b1 Trio.zip https://trio.example/page, "
                                     "Cat c1 Trio.zip https://trio.example/page"}));
}

TEST_F(UpdateManagerTest, ExchangeWithTheReferenceServiceAndRestart) {
    plenfox::service::UpdateServiceThread service(
        std::make_shared<const plenfox::service::UpdateCatalog>(
            plenfox::service::UpdateCatalog::parse(R"(<catalog name="Test service">
  <tag name="meta-server-message">Hello</tag>
  <package file="BagSorter-1.7.zip" page="/Plenfox.html#bags">
    <addon name="BagSorter" version="1.7"/>
  </package>
  <package file="Quest-2.4.1.zip"><addon name="Quest" version="2.4.1"/></package>
</catalog>)")));
    PlenfoxUpdateSource::Options bounds;
    bounds.totalTimeout = std::chrono::milliseconds(10000);
    source = std::make_shared<PlenfoxUpdateSource>(service.baseUrl() + "/info", bounds);
    install("BagSorter", "1.5");
    install("Quest", "2.4.1");
    install("Mine", "1");

    for (int run = 0; run < 2; ++run) {
        start();
        // The second run reads the stored answer back and asks nothing.
        EXPECT_EQ(events(), run == 0 ? QueryAndRefresh : RefreshOnly);
        EXPECT_EQ(service.service().requests().size(), 1);
        const auto found = updates().getUpdates();
        ASSERT_EQ(available(), QStringList({"BagSorter->1.7"}));
        EXPECT_EQ(found[0].getInstalled(), addon("BagSorter"));
        // The package's address, also when read back from the data file.
        EXPECT_EQ(found[0].getUpdate()->getDownloadUrl(),
                  service.baseUrl() + "/zips/BagSorter-1.7.zip");
        const QString page = service.baseUrl() + "/Plenfox.html#bags";
        EXPECT_EQ(addons().getBrowseUrl(addon("BagSorter")), page);
        EXPECT_EQ(updates().getValue(UpdateProtocol::TagServerMessage), "Hello");
        EXPECT_EQ(updates().getValue(UpdateProtocol::TagWowLearnedAddons), "1"); // Mine
        stop();
    }
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

} // namespace

// Closing while the service accepts the query and never answers: the close
// ends the exchange at once instead of waiting out the query's time-out or
// the shutdown's own wait, and the worker ends with it.
TEST_F(UpdateManagerTest, ShutdownAbortsAHangingQueryAtOnce) {
    QTcpServer silent; // accepts, never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    PlenfoxUpdateSource::Options bounds;
    bounds.totalTimeout = std::chrono::milliseconds(60000);
    source = std::make_shared<PlenfoxUpdateSource>(
        "http://127.0.0.1:" + QString::number(silent.serverPort()) + "/info", bounds);
    shutdownTimeout = std::chrono::milliseconds(20000);
    install("Alpha", "1");
    start();
    ASSERT_TRUE(silent.waitForNewConnection(10000));

    QElapsedTimer timer;
    timer.start();
    client->shutdown();
    EXPECT_LT(timer.elapsed(), 10000);
    EXPECT_FALSE(logged(".shutdown: a query is still running; storing the answer held so far"));
    EXPECT_TRUE(env.logContains("update query aborted"));
    client.reset();
}
