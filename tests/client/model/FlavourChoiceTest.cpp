#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadItem.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/RecognizedItem.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/updates/UpdateQuery.h"
#include "client/model/updates/UpdateResult.h"
#include "client/model/updates/UpdateSource.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Paths.h"
#include "tests/support/TestSupport.h"

#include <QtEndian>
#include <gtest/gtest.h>
#include <mutex>

using namespace plenfox::client::model;
using plenfox::client::wow::InstalledWowAddon;
using plenfox::client::wow::WowInstallation;
using plenfox::test::readFile;
using plenfox::test::TestEnvironment;
using plenfox::test::writeFile;
using plenfox::util::pathText;
namespace fs = std::filesystem;

namespace {

// "Target.dat" as the program wrote it before it knew flavours: the
// stream's magic and version, then one path (tag 6, a QDataStream string:
// byte count, UTF-16 big-endian).
QByteArray targetFileOfOldClients(const fs::path& folder) {
    const QString text = pathText(folder);
    QByteArray bytes("PFOS\x01\x06", 6);
    quint32 length = qToBigEndian(static_cast<quint32>(text.size() * 2));
    bytes.append(reinterpret_cast<const char*>(&length), 4);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() >> 8));
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return bytes;
}

// Answers every query with nothing and keeps the last one.
class RecordingSource : public UpdateSource {
public:
    std::shared_ptr<UpdateResult> queryUpdates(const UpdateQuery& query) override {
        std::lock_guard guard(lock);
        last = std::make_shared<UpdateQuery>(query);
        return std::make_shared<UpdateResult>(std::vector<std::shared_ptr<AddonMetadata>>{},
                                              query.getPairs());
    }
    std::shared_ptr<UpdateQuery> lastQuery() {
        std::lock_guard guard(lock);
        return last;
    }

private:
    std::mutex lock;
    std::shared_ptr<UpdateQuery> last;
};

class FlavourChoiceTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = env.scratch() / "World of Warcraft";
        plenfox::test::writeFlavouredInstallation(root);
    }
    void TearDown() override { stop(); }

    // Starts a client on the data folder; the options name a flavour or a
    // folder only when given.
    WowInstallation& start(std::optional<QString> flavour = std::nullopt,
                           std::optional<fs::path> folder = std::nullopt) {
        stop();
        auto wow = plenfox::test::undetectedInstallation();
        WowInstallation* installation = wow.get();
        client = std::make_unique<Client>(nullptr, std::make_unique<ClientRepository>(data),
                                          std::move(wow));
        auto manager = std::make_unique<UpdateManager>(source);
        client->setUpdateManager(std::move(manager));
        auto options = std::make_shared<ClientOptions>();
        options->setUpdatesEnabled(true);
        if (flavour)
            options->setFlavour(*flavour);
        if (folder)
            options->setWowFolder(*folder);
        EXPECT_TRUE(client->initialize(options));
        plenfox::test::settle(*client);
        return *installation;
    }
    void stop() {
        if (client)
            client->shutdown();
        client.reset();
    }
    QStringList listed() const {
        QStringList names;
        for (const auto& addon : client->getAddonManager()->getAddons())
            names << addon->getName();
        names.sort();
        return names;
    }

    TestEnvironment env;
    fs::path root;
    fs::path data = env.scratch() / "data";
    std::shared_ptr<RecordingSource> source = std::make_shared<RecordingSource>();
    std::unique_ptr<Client> client;
};

TEST_F(FlavourChoiceTest, TargetFileOfOldClientsStaysValidBesideTheFlavourFile) {
    const QByteArray oldTarget = targetFileOfOldClients(root / "_retail_");
    writeFile(data / "Target.dat", oldTarget);

    // The stored folder is read as before: it names the retail client.
    WowInstallation& first = start();
    EXPECT_EQ(first.installRoot(), root);
    EXPECT_EQ(first.currentFlavour()->folderName(), QStringLiteral("_retail_"));
    EXPECT_EQ(listed(), QStringList({QStringLiteral("Details"), QStringLiteral("WeakAuras")}));
    stop();
    // Written again in the same bytes; no flavour file while none was chosen.
    EXPECT_EQ(readFile(data / "Target.dat"), oldTarget);
    EXPECT_FALSE(fs::exists(data / "Flavour.dat"));

    // The player switches to the era client: kept in a file of its own.
    WowInstallation& era = start(QStringLiteral("_classic_era_"));
    EXPECT_EQ(era.currentFlavour()->folderName(), QStringLiteral("_classic_era_"));
    EXPECT_EQ(listed(), QStringList({QStringLiteral("Questie")}));
    stop();
    EXPECT_EQ(readFile(data / "Target.dat"), oldTarget);
    EXPECT_TRUE(fs::exists(data / "Flavour.dat"));
    EXPECT_FALSE(fs::exists(data / "Flavour.dat.tmp"));

    // A later run remembers it.
    EXPECT_EQ(start().currentFlavour()->folderName(), QStringLiteral("_classic_era_"));
    EXPECT_EQ(listed(), QStringList({QStringLiteral("Questie")}));

    // A flavour folder picked by hand becomes the choice.
    EXPECT_EQ(start(std::nullopt, root / "_anniversary_").currentFlavour()->folderName(),
              QStringLiteral("_anniversary_"));
    stop();
    EXPECT_EQ(start().currentFlavour()->folderName(), QStringLiteral("_anniversary_"));

    // The root picked by hand keeps the stored flavour; once that flavour
    // is gone, the default is used.
    EXPECT_EQ(start(std::nullopt, root).currentFlavour()->folderName(),
              QStringLiteral("_anniversary_"));
    stop();
    fs::remove_all(root / "_anniversary_");
    EXPECT_EQ(start().currentFlavour()->folderName(), QStringLiteral("_retail_"));
    EXPECT_TRUE(env.logContains(QStringLiteral("No flavour [_anniversary_]")));
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST_F(FlavourChoiceTest, AFlavourFileOfAnotherTypeCountsAsNoChoice) {
    writeFile(data / "Flavour.dat", QByteArray("PFOS\x01\x01\x01", 7)); // a boolean
    EXPECT_EQ(start(std::nullopt, root).currentFlavour()->folderName(), QStringLiteral("_retail_"));
    writeFile(data / "Flavour.dat", QByteArray("PFOS\x01\x05", 6)); // cut short
    EXPECT_EQ(start(std::nullopt, root).currentFlavour()->folderName(), QStringLiteral("_retail_"));
    EXPECT_EQ(env.app().getExceptionCount(), 1);
}

TEST_F(FlavourChoiceTest, TheUpdateQueryCarriesTheCurrentFlavoursAddonsOnly) {
    start(std::nullopt, root);
    std::shared_ptr<UpdateQuery> query = source->lastQuery();
    ASSERT_TRUE(query);
    QStringList names;
    for (const auto& addon : query->getLooseAddons())
        names << addon->getName() + QLatin1Char('=') + addon->getVersion();
    names.sort();
    EXPECT_EQ(names, QStringList({QStringLiteral("Details=#Details.20260105"),
                                  QStringLiteral("WeakAuras=5.20.1")}));

    // After switching, the stored answer does not cover Questie: asked again,
    // about Questie alone.
    start(QStringLiteral("_classic_era_"));
    query = source->lastQuery();
    ASSERT_EQ(query->getLooseAddons().size(), 1u);
    EXPECT_EQ(query->getLooseAddons()[0]->getName(), QStringLiteral("Questie"));
    EXPECT_TRUE(query->getAddonPackages().empty());
}

TEST_F(FlavourChoiceTest, DownloadsTellWhetherTheCurrentFlavourLoadsTheirAddons) {
    plenfox::test::writeZip(
        data / "downloads" / "Details.zip",
        {{QStringLiteral("Details/Details_Mainline.toc"), "## Version: 2\n"},
         {QStringLiteral("Details_Era/Details_Era_Vanilla.toc"), "## Version: 2\n"}});
    plenfox::test::writeZip(data / "downloads" / "Questie.zip",
                            {{QStringLiteral("Questie/Questie-Classic.toc"), "## Version: 9\n"}});
    const auto notForFlavour = [this] {
        QStringList counts;
        for (const auto& item : client->getDownloadRecognizer()->getRecognizedItems())
            counts << plenfox::util::pathText(item->getItem()->getFile().filename()) +
                          QLatin1Char('=') + QString::number(item->getAddonsNotForFlavour()) +
                          QLatin1Char('/') + QString::number(item->getTotalAddons());
        counts.sort();
        return counts;
    };
    start(std::nullopt, root);
    EXPECT_EQ(notForFlavour(),
              QStringList({QStringLiteral("Details.zip=1/2"), QStringLiteral("Questie.zip=1/1")}));
    start(QStringLiteral("_classic_era_"));
    EXPECT_EQ(notForFlavour(),
              QStringList({QStringLiteral("Details.zip=1/2"), QStringLiteral("Questie.zip=0/1")}));
}

TEST_F(FlavourChoiceTest, MissingDependenciesAndDependants) {
    const fs::path addons = root / "_retail_" / "Interface" / "AddOns";
    writeFile(addons / "Details_Streamer" / "Details_Streamer.toc",
              "## Dependencies: Details, Blizzard_CUI\n## OptionalDeps: Masque\n");
    writeFile(addons / "Plugin" / "Plugin.toc", "## RequiredDeps: details, LibMissing\n");
    // Installed, but the retail client does not load it.
    writeFile(addons / "EraLib" / "EraLib_Vanilla.toc", "## Title: EraLib\n");
    writeFile(addons / "UsesEraLib" / "UsesEraLib.toc", "## Dependencies: EraLib\n");
    start(std::nullopt, root);
    AddonManager& manager = *client->getAddonManager();

    const auto byName = [&manager](const QString& name) { return manager.getAddonByName(name); };
    EXPECT_TRUE(
        manager.getMissingDependencies(*byName(QStringLiteral("Details_Streamer"))).isEmpty());
    EXPECT_EQ(manager.getMissingDependencies(*byName(QStringLiteral("Plugin"))),
              QStringList({QStringLiteral("LibMissing")}));
    EXPECT_EQ(manager.getMissingDependencies(*byName(QStringLiteral("UsesEraLib"))),
              QStringList({QStringLiteral("EraLib")}));
    const std::vector<QStringList> all = manager.getMissingDependencies(manager.getAddons());
    int missing = 0;
    for (const QStringList& names : all)
        missing += static_cast<int>(names.size());
    EXPECT_EQ(missing, 2);

    QStringList dependants = manager.getDependants({byName(QStringLiteral("Details"))});
    dependants.sort();
    EXPECT_EQ(dependants,
              QStringList({QStringLiteral("Details_Streamer"), QStringLiteral("Plugin")}));
    // Removing an addon together with its dependants leaves nobody to ask about.
    EXPECT_TRUE(manager
                    .getDependants({byName(QStringLiteral("Details")),
                                    byName(QStringLiteral("Details_Streamer")),
                                    byName(QStringLiteral("Plugin"))})
                    .isEmpty());
    EXPECT_TRUE(manager.getDependants({byName(QStringLiteral("WeakAuras"))}).isEmpty());
}

} // namespace
