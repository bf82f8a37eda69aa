#include "client/model/addons/AddonManager.h"
#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/addons/AddonChangeListener.h"
#include "client/model/addons/AddonPackage.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "client/model/wow/ZippedWowAddonPackage.h"
#include "lib/util/Paths.h"
#include "platform/InMemoryRegistry.h"
#include "tests/support/TestSupport.h"

#include <QLockFile>
#include <QSysInfo>
#include <gtest/gtest.h>
#include <mutex>
#include <thread>

using namespace plenfox::client::model;
using plenfox::client::wow::InstalledWowAddon;
using plenfox::client::wow::ZippedWowAddonPackage;
using plenfox::test::TestEnvironment;
using plenfox::test::writeFile;
namespace fs = std::filesystem;

namespace {

// Records the events it receives, as "event:argument" texts.
class Recorder : public AddonChangeListener, public ClientEventHandler {
public:
    void addonInstalled(AddonManager&, const std::shared_ptr<InstalledWowAddon>& addon) override {
        record(QStringLiteral("addonInstalled:") + addon->getName());
    }
    void addonRemoved(AddonManager&, const std::shared_ptr<InstalledWowAddon>& addon) override {
        record(QStringLiteral("addonRemoved:") + addon->getName());
    }
    void afterPackageInstalled(AddonManager&,
                               const std::shared_ptr<AddonPackage>& package) override {
        record(QStringLiteral("afterPackageInstalled:") + package->getPackageName());
    }
    void afterRefresh(AddonManager&) override { record(QStringLiteral("afterRefresh")); }
    void beforePackageInstalled(AddonManager&,
                                const std::shared_ptr<AddonPackage>& package) override {
        record(QStringLiteral("beforePackageInstalled:") + package->getPackageName());
    }
    void beforeRefresh(AddonManager&) override { record(QStringLiteral("beforeRefresh")); }

    AddonChangeListener* getAddonChangeListener() override { return this; }
    ClientLifetimeListener* getClientLifetimeListener() override { return nullptr; }
    DownloadListener* getDownloadListener() override { return nullptr; }
    DownloadRecognizerListener* getDownloadRecognizerListener() override { return nullptr; }
    UpdateListener* getUpdateListener() override { return nullptr; }

    QStringList take() {
        std::lock_guard guard(lock);
        return std::exchange(events, {});
    }

private:
    void record(const QString& event) {
        std::lock_guard guard(lock);
        events << event;
    }

    std::mutex lock;
    QStringList events;
};

class AddonManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        game = env.scratch() / "Game";
        // Spelled as the game spells it; a file system that keeps letter case
        // must still find it as the addon folder.
        addonRoot = game / "Interface" / "AddOns";
    }
    void TearDown() override {
        if (client)
            client->shutdown();
    }

    // Starts a client whose game folder is `game`.
    AddonManager& start() {
        client = std::make_unique<Client>(
            &recorder, std::make_unique<ClientRepository>(env.scratch() / "data"),
            plenfox::test::undetectedInstallation());
        auto options = std::make_shared<ClientOptions>();
        options->setWowFolder(game);
        EXPECT_TRUE(client->initialize(options));
        return *client->getAddonManager();
    }

    // The events delivered since the last call, including those that queued
    // tasks (an asynchronous refresh) posted in turn.
    QStringList events() {
        plenfox::test::settle(*client);
        return recorder.take();
    }

    static QStringList names(const std::vector<std::shared_ptr<InstalledWowAddon>>& addons) {
        QStringList result;
        for (const auto& addon : addons)
            result << addon->getName();
        return result;
    }

    // Relative paths of every file and folder below the folder, sorted.
    static QStringList tree(const fs::path& folder) {
        QStringList entries;
        for (const auto& entry : fs::recursive_directory_iterator(folder))
            entries << plenfox::util::pathText(fs::relative(entry.path(), folder));
        entries.sort();
        return entries;
    }

    static std::shared_ptr<ZippedWowAddonPackage> package(const char* name) {
        return std::make_shared<ZippedWowAddonPackage>(fs::path(PLENFOX_TEST_DATA_DIR) / "manager" /
                                                       name);
    }

    void layOutOldAlpha() {
        writeFile(addonRoot / "Alpha" / "Alpha.toc", "## Version: 1.0\n");
        writeFile(addonRoot / "Alpha" / "Old.lua", "-- old");
        writeFile(addonRoot / "Alpha" / "Sub" / "Keep.lua", "-- old");
        writeFile(addonRoot / "Zeta" / "Zeta.toc", "## Version: z\n");
    }

    TestEnvironment env;
    Recorder recorder;
    fs::path game;
    fs::path addonRoot;
    std::unique_ptr<Client> client;
};

} // namespace

TEST_F(AddonManagerTest, InstallReplacesTheWholeFolderAndAnnouncesThePackage) {
    layOutOldAlpha();
    AddonManager& manager = start();
    EXPECT_EQ(recorder.take(), QStringList({"beforeRefresh", "afterRefresh"}));
    const auto oldAlpha = manager.getAddonByName(QStringLiteral("alpha"));
    ASSERT_TRUE(oldAlpha);

    manager.install(package("Alpha-2.0.zip"));

    EXPECT_EQ(tree(addonRoot / "Alpha"), QStringList({"Alpha.lua", "Alpha.toc"}));
    EXPECT_EQ(tree(addonRoot),
              QStringList({"Alpha", "Alpha/Alpha.lua", "Alpha/Alpha.toc", "Beta", "Beta/Beta.lua",
                           "Beta/Beta.toc", "Zeta", "Zeta/Zeta.toc"}));
    // One entry per name, sorted, the new Alpha in place of the old one.
    EXPECT_EQ(names(manager.getAddons()), QStringList({"Alpha", "Beta", "Zeta"}));
    EXPECT_NE(manager.getAddonByName(QStringLiteral("Alpha")), oldAlpha);
    EXPECT_TRUE(manager.isInstalled(QStringLiteral("Alpha"), QStringLiteral("2.0")));
    EXPECT_EQ(events(),
              QStringList({"beforePackageInstalled:Alpha-2.0.zip", "addonInstalled:Alpha",
                           "addonInstalled:Beta", "afterPackageInstalled:Alpha-2.0.zip"}));

    // A package without addons is extracted but changes neither list nor listeners.
    manager.install(package("Loose.zip"));
    EXPECT_TRUE(fs::is_regular_file(addonRoot / "readme.txt"));
    EXPECT_EQ(manager.getAddonsSize(), 3);
    EXPECT_TRUE(events().isEmpty());
}

TEST_F(AddonManagerTest, CorruptPackageLeavesTheOldAddonUntouched) {
    layOutOldAlpha();
    AddonManager& manager = start();
    recorder.take();
    const auto before = manager.getAddons();
    const QStringList treeBefore = tree(addonRoot);

    manager.install(package("Broken.zip"));

    EXPECT_TRUE(env.logContains(AddonManager::Prefix + QStringLiteral(".extractTo failed")));
    // Nothing of the package arrived, nothing of the old addon left, no
    // staging folder remains.
    EXPECT_EQ(tree(addonRoot), treeBefore);
    EXPECT_EQ(plenfox::test::readFile(addonRoot / "Alpha" / "Alpha.toc"),
              QByteArray("## Version: 1.0\n"));
    EXPECT_EQ(manager.getAddons(), before);
    EXPECT_TRUE(events().isEmpty());
}

TEST_F(AddonManagerTest, PackageContentNeverReplacesPlayerContentOfTheOtherKind) {
    // The player keeps a folder where the package brings a file.
    writeFile(addonRoot / "readme.txt" / "mine.txt", "keep me");
    start();
    client->getAddonManager()->install(package("Loose.zip"));
    EXPECT_EQ(plenfox::test::readFile(addonRoot / "readme.txt" / "mine.txt"),
              QByteArray("keep me"));
    EXPECT_TRUE(
        env.logContains(AddonManager::Prefix + QStringLiteral(".install: unable to move [")));
    EXPECT_EQ(tree(addonRoot), QStringList({"readme.txt", "readme.txt/mine.txt"}));
}

// "Not listed yet" and "none installed" both have an empty list; the addons
// table needs to tell them apart.
TEST_F(AddonManagerTest, WithoutTheGameNothingIsInstalledAndRefreshIsEmpty) {
    EXPECT_FALSE(AddonManager().isLoaded());
    AddonManager& manager = start();
    EXPECT_TRUE(manager.isLoaded());
    EXPECT_EQ(recorder.take(), QStringList({"beforeRefresh", "afterRefresh"}));
    manager.install(package("Alpha-2.0.zip"));
    EXPECT_FALSE(fs::exists(game));
    EXPECT_EQ(manager.getAddonsSize(), 0);
    EXPECT_TRUE(events().isEmpty());

    // The game appears; an asynchronous refresh finds its addons.
    layOutOldAlpha();
    client->getWow()->initializeExplicit(game);
    manager.refreshAddonsAsync();
    EXPECT_EQ(events(), QStringList({"beforeRefresh", "afterRefresh"}));
    QStringList found = names(manager.getAddons());
    found.sort();
    EXPECT_EQ(found, QStringList({"Alpha", "Zeta"}));
}

TEST_F(AddonManagerTest, RemovalDeletesFoldersAndAnnouncesListedAddonsOnly) {
    plenfox::test::SandboxedHome home(env.scratch() / "home");
    layOutOldAlpha();
    writeFile(addonRoot / "Ghost" / "Ghost.toc", "## Version: 1\n");
    AddonManager& manager = start();
    recorder.take();
    // Another object for a listed folder is not the listed addon.
    auto stranger = std::make_shared<InstalledWowAddon>(client->getWow(), QStringLiteral("Ghost"),
                                                        addonRoot / "Ghost");

    manager.removeAddons({stranger, manager.getAddonByName(QStringLiteral("Alpha"))});
    EXPECT_FALSE(fs::exists(addonRoot / "Ghost"));
    EXPECT_FALSE(fs::exists(addonRoot / "Alpha"));
    // The folders, with what the player kept in them, can be got back.
    EXPECT_EQ(home.trashed(), QStringList({"Alpha", "Ghost"}));
    EXPECT_TRUE(fs::exists(home.trashFiles() / "Ghost" / "Ghost.toc"));
    QStringList left = names(manager.getAddons());
    left.sort();
    EXPECT_EQ(left, QStringList({"Ghost", "Zeta"}));
    EXPECT_EQ(events(), QStringList({"addonRemoved:Alpha"}));
    EXPECT_TRUE(
        env.logContains(AddonManager::Prefix + QStringLiteral(".removeAddons: removing 2")));
    EXPECT_LT(
        env.logIndexOf(AddonManager::Prefix + QStringLiteral(".removeAddons: removing [Ghost]")),
        env.logIndexOf(AddonManager::Prefix + QStringLiteral(".removeAddons: removing [Alpha]")));
}

TEST_F(AddonManagerTest, VersionsMatchByExactText) {
    writeFile(addonRoot / "BIGNAME" / "BIGNAME.toc", "## Version: 1.2.0a\n");
    writeFile(addonRoot / "Packaged" / "Packaged.toc",
              "## Version: 1.0\n## X-Curse-Packaged-Version: r5\n");
    writeFile(addonRoot / "OnlyPackaged" / "OnlyPackaged.toc", "## X-Curse-Packaged-Version: r7\n");
    writeFile(addonRoot / "NoVersion" / "NoVersion.toc", "## Title: none\n");
    AddonManager& manager = start();

    EXPECT_TRUE(manager.isInstalled(QStringLiteral("bigname"), QStringLiteral("1.2.0a")));
    for (const char* other : {"1.2.0A", "1.2.0", "1.2.0a ", "v1.2.0a", "1.2.0a.0", ""})
        EXPECT_FALSE(manager.isInstalled(QStringLiteral("bigname"), QString::fromLatin1(other)))
            << other;
    EXPECT_FALSE(manager.isInstalled(QStringLiteral("bigname"), QString()));
    EXPECT_TRUE(manager.isInstalled(QStringLiteral("Packaged"), QStringLiteral("1.0")));
    EXPECT_FALSE(manager.isInstalled(QStringLiteral("Packaged"), QStringLiteral("r5")));
    EXPECT_TRUE(manager.isInstalled(QStringLiteral("OnlyPackaged"), QStringLiteral("r7")));
    EXPECT_TRUE(manager.isInstalled(QStringLiteral("NoVersion"), QStringLiteral("?")));
    EXPECT_FALSE(manager.isInstalled(QStringLiteral("Missing"), QStringLiteral("?")));

    EXPECT_EQ(manager.lookupAddon(QStringLiteral("BigName"), QStringLiteral("1.2.0a")),
              manager.getAddonByName(QStringLiteral("BIGNAME")));
    EXPECT_EQ(manager.lookupAddon(QStringLiteral("BigName"), QStringLiteral("1.2.0")), nullptr);
    EXPECT_EQ(manager.getBrowseUrl(manager.getAddonByName(QStringLiteral("NoVersion"))),
              QStringLiteral("https://www.bing.com/search?q=NoVersion+wow+addon"));
}

TEST_F(AddonManagerTest, SwapThatFailsHalfWayPutsTheOldAddonsBackAndReportsFailure) {
    layOutOldAlpha();
    // The package's loose "readme.txt" cannot replace the player's folder,
    // and that only shows once Alpha and Beta have been moved in.
    writeFile(addonRoot / "readme.txt" / "mine.txt", "keep me");
    AddonManager& manager = start();
    recorder.take();
    const auto before = manager.getAddons();
    const QStringList treeBefore = tree(addonRoot);

    manager.install(package("Clash-2.1.zip"));

    EXPECT_TRUE(
        env.logContains(AddonManager::Prefix + QStringLiteral(".install: unable to move [")));
    EXPECT_TRUE(env.logContains(AddonManager::Prefix + QStringLiteral(".extractTo failed")));
    EXPECT_EQ(tree(addonRoot), treeBefore);
    EXPECT_EQ(plenfox::test::readFile(addonRoot / "Alpha" / "Old.lua"), QByteArray("-- old"));
    EXPECT_EQ(plenfox::test::readFile(addonRoot / "readme.txt" / "mine.txt"),
              QByteArray("keep me"));
    EXPECT_EQ(manager.getAddons(), before);
    EXPECT_TRUE(manager.isInstalled(QStringLiteral("Alpha"), QStringLiteral("1.0")));
    EXPECT_TRUE(events().isEmpty());
}

TEST_F(AddonManagerTest, StagingFoldersLeftByAKilledInstallAreDeletedAtTheNextInstall) {
    // As many leftovers as staging folders may exist, each with content, and
    // a lock file whose process has ended.
    for (int number = 1; number <= 100; ++number)
        writeFile(addonRoot / (".plenfox-staging-" + std::to_string(number)) / "new" / "x.lua",
                  "half");
    writeFile(addonRoot / ".plenfox-staging-7.lock",
              "2147480000\nplenfoxclient\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    // A staging folder in use by a running install stays.
    QLockFile running(plenfox::util::pathText(addonRoot / ".plenfox-staging-101.lock"));
    ASSERT_TRUE(running.tryLock(0));
    writeFile(addonRoot / ".plenfox-staging-101" / "new" / "busy.lua", "busy");
    AddonManager& manager = start();
    recorder.take();

    manager.install(package("Alpha-2.0.zip"));

    EXPECT_TRUE(manager.isInstalled(QStringLiteral("Alpha"), QStringLiteral("2.0")));
    EXPECT_EQ(tree(addonRoot),
              QStringList({".plenfox-staging-101", ".plenfox-staging-101.lock",
                           ".plenfox-staging-101/new", ".plenfox-staging-101/new/busy.lua", "Alpha",
                           "Alpha/Alpha.lua", "Alpha/Alpha.toc", "Beta", "Beta/Beta.lua",
                           "Beta/Beta.toc"}));
    EXPECT_TRUE(env.logContains(
        AddonManager::Prefix +
        QStringLiteral(".install: deleting a staging directory left by an interrupted install [") +
        plenfox::util::pathText(addonRoot / ".plenfox-staging-100") + "]"));
    EXPECT_EQ(events().size(), 4);
}

TEST_F(AddonManagerTest, AddonFolderDifferingOnlyInCaseIsReplacedNotTwinned) {
    writeFile(addonRoot / "ALPHA" / "ALPHA.toc", "## Version: 1.0\n");
    writeFile(addonRoot / "ALPHA" / "Old.lua", "-- old");
    AddonManager& manager = start();
    // The game's own spelling of the addon folder is found and listed.
    EXPECT_EQ(names(manager.getAddons()), QStringList({"ALPHA"}));
    recorder.take();

    manager.install(package("lower-3.0.zip"));

    EXPECT_EQ(tree(game), QStringList({"Interface", "Interface/AddOns", "Interface/AddOns/alpha",
                                       "Interface/AddOns/alpha/alpha.lua",
                                       "Interface/AddOns/alpha/alpha.toc"}));
    EXPECT_EQ(names(manager.getAddons()), QStringList({"alpha"}));
    EXPECT_TRUE(manager.isInstalled(QStringLiteral("ALPHA"), QStringLiteral("3.0")));
    EXPECT_EQ(events(), QStringList({"beforePackageInstalled:lower-3.0.zip", "addonInstalled:alpha",
                                     "afterPackageInstalled:lower-3.0.zip"}));
}

TEST_F(AddonManagerTest, ConcurrentInstallsLeaveOneWholePackageOnDisk) {
    layOutOldAlpha();
    AddonManager& manager = start();
    // Both packages bring Alpha and Beta; whichever lands last, the folders
    // hold its content alone and the list agrees with the disk.
    for (int round = 0; round < 5; ++round) {
        std::thread first([&] { manager.install(package("Alpha-2.0.zip")); });
        std::thread second([&] { manager.install(package("Clash-2.1.zip")); });
        first.join();
        second.join();
        const QByteArray toc = plenfox::test::readFile(addonRoot / "Alpha" / "Alpha.toc");
        const QString version = toc.contains("2.1") ? QStringLiteral("2.1") : QStringLiteral("2.0");
        EXPECT_EQ(toc, version == "2.1"
                           ? QByteArray("## Version: 2.1\n")
                           : QByteArray("## Title: Alpha\n## Version: 2.0\nAlpha.lua\n"));
        EXPECT_EQ(plenfox::test::readFile(addonRoot / "Alpha" / "Alpha.lua"),
                  version == "2.1" ? QByteArray("-- alpha 2.1\n") : QByteArray("-- new alpha\n"));
        EXPECT_EQ(tree(addonRoot / "Alpha"), QStringList({"Alpha.lua", "Alpha.toc"}));
        EXPECT_TRUE(manager.isInstalled(QStringLiteral("Alpha"), version));
        EXPECT_EQ(names(manager.getAddons()), QStringList({"Alpha", "Beta", "Zeta"}));
    }
    EXPECT_FALSE(env.logContains(AddonManager::Prefix + QStringLiteral(".extractTo failed")));
}

TEST(AddonManagerSearchTest, SearchAddressEncodesTheAddonName) {
    EXPECT_EQ(
        AddonManager::getSearchUrl(QStringLiteral("Tom & Jerry #2 +x")),
        QStringLiteral("https://www.bing.com/search?q=Tom%20%26%20Jerry%20%232%20%2Bx+wow+addon"));
    EXPECT_EQ(AddonManager::getSearchUrl(QStringLiteral("Caf\u00E9")),
              QStringLiteral("https://www.bing.com/search?q=Caf%C3%A9+wow+addon"));
}
