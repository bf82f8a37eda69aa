#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/TocFile.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Paths.h"
#include "platform/InMemoryRegistry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using plenfox::client::wow::WowFlavour;
using plenfox::client::wow::WowInstallation;
using plenfox::platform::InMemoryRegistry;
using plenfox::platform::Registry;
using plenfox::test::TestEnvironment;
using plenfox::test::writeFile;
using plenfox::util::pathText;
namespace fs = std::filesystem;

namespace {

std::unique_ptr<WowInstallation> installation(std::shared_ptr<InMemoryRegistry> registry = {},
                                              const fs::path& programData = {}) {
    const QString data = programData.empty() ? QString() : pathText(programData);
    return std::make_unique<WowInstallation>(
        registry ? registry : std::make_shared<InMemoryRegistry>(),
        [data](const QString& name) -> std::optional<QString> {
            if (name == QStringLiteral("ProgramData") && !data.isNull())
                return data;
            return std::nullopt;
        });
}

QStringList labels(WowInstallation& wow) {
    QStringList result;
    for (const WowFlavour& flavour : wow.flavours())
        result << flavour.folderName() + QLatin1Char('=') + flavour.label();
    return result;
}

// "Name" for an addon the flavour loads, "Name (not for this version)" else.
QStringList addons(WowInstallation& wow) {
    QStringList result;
    for (const auto& addon : wow.addons())
        result << (addon->isForFlavour() ? addon->getName()
                                         : addon->getName() + QStringLiteral(" (other)"));
    result.sort();
    return result;
}

class FlavourInstallationTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = env.scratch() / "World of Warcraft";
        plenfox::test::writeFlavouredInstallation(root);
    }
    TestEnvironment env;
    fs::path root;
};

TEST_F(FlavourInstallationTest, TheRootAFlavourFolderOrItsPathWithASeparatorAllWork) {
    for (const fs::path& chosen : {root, root / "_classic_era_", root / "_retail_" / ""}) {
        auto wow = installation();
        wow->initializeExplicit(chosen);
        EXPECT_TRUE(wow->exists());
        EXPECT_EQ(wow->installRoot(), root) << pathText(chosen).toStdString();
        EXPECT_EQ(labels(*wow),
                  QStringList({QStringLiteral("_retail_=Retail 12.1.0.69382"),
                               QStringLiteral("_classic_era_=Classic Era 1.15.8.63829"),
                               QStringLiteral("_anniversary_=Anniversary 2.5.5.64000")}));
    }
    // Chosen by hand, a flavour folder is the flavour worked on.
    auto era = installation();
    era->initializeExplicit(root / "_classic_era_");
    EXPECT_EQ(era->namedFlavour(), QStringLiteral("_classic_era_"));
    EXPECT_EQ(era->currentFlavour()->folderName(), QStringLiteral("_classic_era_"));
    EXPECT_EQ(era->gameFolder(), root / "_classic_era_");
    EXPECT_EQ(era->addonRoot(), root / "_classic_era_" / "Interface" / "AddOns");
    EXPECT_EQ(addons(*era), QStringList({QStringLiteral("Questie")}));
    EXPECT_TRUE(env.logContains(QStringLiteral("Found flavour [Classic Era 1.15.8.63829] in [") +
                                pathText(root / "_classic_era_") +
                                QStringLiteral("] product [wow_classic_era]")));

    // The root: the flavour the launcher started last, here retail.
    auto atRoot = installation();
    atRoot->initializeExplicit(root);
    EXPECT_FALSE(atRoot->namedFlavour());
    EXPECT_EQ(atRoot->currentFlavour()->folderName(), QStringLiteral("_retail_"));
    EXPECT_EQ(addons(*atRoot),
              QStringList({QStringLiteral("Details"), QStringLiteral("WeakAuras")}));
    const auto listed = atRoot->addons();
    const auto details = std::find_if(listed.begin(), listed.end(), [](const auto& addon) {
        return addon->getName() == QStringLiteral("Details");
    });
    ASSERT_NE(details, listed.end());
    EXPECT_EQ((*details)->getTocFile(),
              root / "_retail_" / "Interface" / "AddOns" / "Details" / "Details_Mainline.toc");
    EXPECT_EQ((*details)->getVersionName(), QStringLiteral("#Details.20260105"));

    // Switching flavours switches the addon folder.
    EXPECT_TRUE(atRoot->selectFlavour(QStringLiteral("_CLASSIC_ERA_")));
    EXPECT_EQ(addons(*atRoot), QStringList({QStringLiteral("Questie")}));
    EXPECT_FALSE(atRoot->selectFlavour(QStringLiteral("_ptr_")));
    EXPECT_EQ(atRoot->currentFlavour()->folderName(), QStringLiteral("_classic_era_"));
    EXPECT_TRUE(atRoot->selectFlavour(QStringLiteral("_anniversary_")));
    EXPECT_TRUE(atRoot->addons().empty());
    EXPECT_FALSE(atRoot->addonRootExists());
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST_F(FlavourInstallationTest, DefaultIsLastActiveElseRetailElseTheFirst) {
    plenfox::test::writeFlavouredInstallation(root, true);
    auto lastActive = installation();
    lastActive->initializeExplicit(root);
    EXPECT_EQ(lastActive->currentFlavour()->folderName(), QStringLiteral("_classic_era_"));

    // Without ".build.info": retail.
    fs::remove(root / ".build.info");
    auto retail = installation();
    retail->initializeExplicit(root);
    EXPECT_EQ(retail->currentFlavour()->folderName(), QStringLiteral("_retail_"));
    EXPECT_TRUE(env.logContains(QStringLiteral("No .build.info in [") + pathText(root) + "]"));
    // The folders and executables still tell the flavours apart.
    EXPECT_EQ(labels(*retail), QStringList({QStringLiteral("_retail_=Retail"),
                                            QStringLiteral("_classic_era_=Classic Era"),
                                            QStringLiteral("_anniversary_=Anniversary")}));
    EXPECT_TRUE(retail->flavours()[1].isClassic());

    // Without retail: the first in the known order.
    fs::remove_all(root / "_retail_");
    auto first = installation();
    first->initializeExplicit(root);
    EXPECT_EQ(first->currentFlavour()->folderName(), QStringLiteral("_classic_era_"));
}

TEST_F(FlavourInstallationTest, AMalformedBuildInfoIsLoggedAndTheFoldersStillCount) {
    writeFile(root / ".build.info", "Product!STRING:0|Version!STRING:0\nwow|12.1.0.69382\n"
                                    "wow_classic_era\n");
    // A flavour the program does not know, named by its own ".flavor.info";
    // a "_name_" folder without an executable is no flavour.
    writeFile(root / "_classic_titan_" / "wowclassic.EXE", "MZ");
    writeFile(root / "_classic_titan_" / ".flavor.info",
              "Product Flavor!STRING:0\nwow_classic_titan\n");
    writeFile(root / "_commondata_" / "readme.txt", "x");
    auto wow = installation();
    wow->initializeExplicit(root);
    EXPECT_TRUE(env.logContains(QStringLiteral("Malformed .build.info [") +
                                pathText(root / ".build.info") +
                                QStringLiteral("]: line 3 has 1 fields, the header 2")));
    EXPECT_EQ(labels(*wow), QStringList({QStringLiteral("_retail_=Retail 12.1.0.69382"),
                                         QStringLiteral("_classic_era_=Classic Era"),
                                         QStringLiteral("_anniversary_=Anniversary"),
                                         QStringLiteral("_classic_titan_=Classic Titan")}));
    const WowFlavour titan = wow->flavours().back();
    EXPECT_EQ(titan.product(), QStringLiteral("wow_classic_titan"));
    EXPECT_EQ(titan.executable(), root / "_classic_titan_" / "wowclassic.EXE");
    EXPECT_TRUE(titan.isClassic());
    // Unknown era version: the classic TOC forms, never the retail one.
    writeFile(root / "_classic_era_" / "Interface" / "AddOns" / "Details" / "Details_Mainline.toc",
              "## Interface: 120001\n");
    ASSERT_TRUE(wow->selectFlavour(QStringLiteral("_classic_era_")));
    EXPECT_EQ(addons(*wow),
              QStringList({QStringLiteral("Details (other)"), QStringLiteral("Questie")}));
}

TEST_F(FlavourInstallationTest, FlavourTocTablesOnDisk) {
    const fs::path addonsFolder = root / "_anniversary_" / "Interface" / "AddOns";
    // Each folder: its TOC files; the anniversary client is 2.5.5.
    const std::map<QString, QStringList> folders = {
        {QStringLiteral("Every"),
         {QStringLiteral("Every.toc"), QStringLiteral("Every_Mainline.toc"),
          QStringLiteral("Every_Vanilla.toc"), QStringLiteral("Every_TBC.toc"),
          QStringLiteral("Every_Classic.toc"), QStringLiteral("Every-BCC.toc")}},
        {QStringLiteral("Dash"), {QStringLiteral("dash-bcc.TOC"), QStringLiteral("Dash.toc")}},
        {QStringLiteral("Plain"), {QStringLiteral("Plain.toc")}},
        {QStringLiteral("Generic"),
         {QStringLiteral("Generic_Classic.toc"), QStringLiteral("Generic-Classic.toc")}},
        {QStringLiteral("RetailOnly"), {QStringLiteral("RetailOnly_Mainline.toc")}},
        {QStringLiteral("EraOnly"), {QStringLiteral("EraOnly-Classic.toc")}},
        {QStringLiteral("NoToc"), {QStringLiteral("Other.toc")}},
    };
    for (const auto& [folder, files] : folders)
        for (const QString& file : files)
            writeFile(addonsFolder / folder.toStdU16String() / file.toStdU16String(),
                      "## Title: " + file.toUtf8() + "\n");
    auto wow = installation();
    wow->initializeExplicit(root / "_anniversary_");
    QStringList read;
    for (const auto& addon : wow->addons())
        read << addon->getName() + QStringLiteral(": ") + addon->getToc()->getTitle() +
                    (addon->isForFlavour() ? QString() : QStringLiteral(" (other)"));
    read.sort();
    EXPECT_EQ(read, QStringList({QStringLiteral("Dash: dash-bcc.TOC"),
                                 QStringLiteral("EraOnly: EraOnly-Classic.toc (other)"),
                                 QStringLiteral("Every: Every_TBC.toc"),
                                 QStringLiteral("Generic: Generic_Classic.toc"),
                                 QStringLiteral("Plain: Plain.toc"),
                                 QStringLiteral("RetailOnly: RetailOnly_Mainline.toc (other)")}));
}

TEST_F(FlavourInstallationTest, DetectionThroughPathsPointingIntoAFlavourFolder) {
    // The registry names the retail folder, with a trailing separator.
    {
        auto registry = std::make_shared<InMemoryRegistry>();
        registry->setValue(WowInstallation::RegistryKey, QStringLiteral("InstallPath"),
                           {Registry::ValueType::String, pathText(root / "_retail_") + "/"});
        auto wow = installation(registry);
        EXPECT_TRUE(wow->exists());
        EXPECT_EQ(wow->installRoot(), root);
        EXPECT_EQ(wow->flavours().size(), 3u);
        // Found automatically: the default flavour, not the one named.
        EXPECT_EQ(wow->currentFlavour()->folderName(), QStringLiteral("_retail_"));
    }
    // A setup log names the era client's executable; retail is the default.
    {
        const fs::path data = env.scratch() / "ProgramData";
        writeFile(data / "battle.net" / "Setup" / "wow_classic_era" / "log" / "setup-1.log",
                  "Blizzard Setup at '" +
                      pathText(root / "_classic_era_" / "WowClassic.exe").toUtf8() + "'\n");
        auto wow = installation({}, data);
        EXPECT_TRUE(wow->exists());
        EXPECT_EQ(wow->installRoot(), root);
        EXPECT_EQ(wow->currentFlavour()->folderName(), QStringLiteral("_retail_"));
        EXPECT_TRUE(env.logContains(QStringLiteral("Accepting validated path [") +
                                    pathText(root / "_classic_era_") + "]"));
        EXPECT_TRUE(env.logContains(QStringLiteral("Path [") + pathText(root / "_classic_era_") +
                                    QStringLiteral("] is the flavour [_classic_era_] of the "
                                                   "installation [") +
                                    pathText(root) + "]"));
    }
    // The Blizzard key names a folder that is gone; the uninstall key's
    // location, in the era folder, is the game.
    {
        auto registry = std::make_shared<InMemoryRegistry>();
        registry->setValue(WowInstallation::RegistryKey, QStringLiteral("InstallPath"),
                           {Registry::ValueType::String, pathText(env.scratch() / "Gone")});
        registry->setValue(WowInstallation::UninstallKey, QStringLiteral("InstallLocation"),
                           {Registry::ValueType::String, pathText(root / "_classic_era_")});
        auto wow = installation(registry);
        EXPECT_TRUE(wow->exists());
        EXPECT_EQ(wow->installRoot(), root);
        EXPECT_TRUE(env.logContains(
            QStringLiteral("Uninstall key: HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\"
                           "CurrentVersion\\Uninstall\\World of Warcraft")));
        // Without any usable value the first key's path stays, not installed.
        auto onlyGone = std::make_shared<InMemoryRegistry>();
        onlyGone->setValue(WowInstallation::RegistryKey, QStringLiteral("InstallPath"),
                           {Registry::ValueType::String, pathText(env.scratch() / "Gone")});
        onlyGone->setValue(WowInstallation::UninstallKey, QStringLiteral("InstallLocation"),
                           {Registry::ValueType::ExpandString, pathText(root)});
        auto gone = installation(onlyGone);
        EXPECT_FALSE(gone->exists());
        EXPECT_EQ(gone->installRoot(), env.scratch() / "Gone");
        EXPECT_TRUE(env.logContains(QStringLiteral("value.type == REG_EXPAND_SZ")));
    }
    EXPECT_TRUE(WowInstallation::validateWowDirectory(root));
    EXPECT_TRUE(WowInstallation::validateWowDirectory(root / "_classic_era_"));
    EXPECT_FALSE(WowInstallation::validateWowDirectory(root / "_retail_" / "Interface"));
}

TEST_F(FlavourInstallationTest, AWinePrefixHoldingTheRetailFolder) {
    // "~/.wine", its registry naming the retail folder below drive C.
    const fs::path home = env.scratch() / "home";
    const fs::path prefix = home / ".wine";
    const fs::path game = prefix / "drive_c" / "Program Files (x86)" / "World of Warcraft";
    plenfox::test::writeFlavouredInstallation(game);
    writeFile(prefix / "system.reg",
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
              "[Software\\\\Wow6432Node\\\\Blizzard Entertainment\\\\World of Warcraft] "
              "1600000000\n\"InstallPath\"=\"C:\\\\Program Files (x86)\\\\World of "
              "Warcraft\\\\_retail_\\\\\"\n");
    fs::create_directories(prefix / "drive_c" / "ProgramData");
    fs::create_directories(prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    const QString homeText = pathText(home);
    WowInstallation wow(std::make_shared<InMemoryRegistry>(),
                        [homeText](const QString& name) -> std::optional<QString> {
                            if (name == QStringLiteral("HOME"))
                                return homeText;
                            return std::nullopt;
                        });
    ASSERT_TRUE(wow.exists());
    EXPECT_EQ(wow.installRoot(), game);
    EXPECT_EQ(wow.flavours().size(), 3u);
    EXPECT_EQ(wow.currentFlavour()->folderName(), QStringLiteral("_retail_"));
    EXPECT_EQ(addons(wow), QStringList({QStringLiteral("Details"), QStringLiteral("WeakAuras")}));
    EXPECT_TRUE(env.logContains(QStringLiteral("through the registry")));
}

TEST_F(FlavourInstallationTest, AWinePrefixWhoseUninstallKeyIsInThe64BitView) {
    const fs::path home = env.scratch() / "home";
    const fs::path prefix = home / ".wine";
    const fs::path game = prefix / "drive_c" / "Program Files" / "World of Warcraft";
    plenfox::test::writeFlavouredInstallation(game);
    writeFile(prefix / "system.reg",
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
              "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\World of "
              "Warcraft] 1600000000\n\"DisplayName\"=\"World of Warcraft\"\n"
              "\"InstallLocation\"=\"C:\\\\Program Files\\\\World of Warcraft\"\n");
    fs::create_directories(prefix / "drive_c" / "ProgramData");
    fs::create_directories(prefix / "dosdevices");
    fs::create_directory_symlink("../drive_c", prefix / "dosdevices" / "c:");
    const QString homeText = pathText(home);
    WowInstallation wow(std::make_shared<InMemoryRegistry>(),
                        [homeText](const QString& name) -> std::optional<QString> {
                            if (name == QStringLiteral("HOME"))
                                return homeText;
                            return std::nullopt;
                        });
    ASSERT_TRUE(wow.exists());
    EXPECT_EQ(wow.installRoot(), game);
    EXPECT_EQ(wow.currentFlavour()->folderName(), QStringLiteral("_retail_"));
    EXPECT_TRUE(env.logContains(QStringLiteral(" ... does not exist")));
    EXPECT_TRUE(env.logContains(QStringLiteral("path: C:\\Program Files\\World of Warcraft")));
}

TEST_F(FlavourInstallationTest, OldStyleFoldersKeepWorking) {
    // The layout of years ago, with a launcher file of that time.
    const fs::path old = env.scratch() / "Old Game";
    writeFile(old / "Wow.exe", "MZ");
    writeFile(old / ".build.info",
              "Branch!STRING:0|Active!DEC:1|Build Key!HEX:16|CDN Key!HEX:16|Install Key!HEX:16|IM "
              "Size!DEC:4|CDN Path!STRING:0|CDN Hosts!STRING:0|CDN Servers!STRING:0|Tags!STRING:0|"
              "Armadillo!STRING:0|Last Activated!STRING:0|Version!STRING:0|Product!STRING:0|Build "
              "Complete!DEC:1\nus|1|a|b|c||tpr/wow|h|s|t|||8.1.5.30706|wow|1\n");
    writeFile(old / "interface" / "addons" / "Recount" / "Recount.toc",
              "## Interface: 80100\n## Version: 8.1\n");
    writeFile(old / "interface" / "addons" / "Bartender4" / "Bartender4_Mainline.toc",
              "## Interface: 80100\n");
    auto wow = installation();
    wow->initializeExplicit(old);
    EXPECT_EQ(wow->installRoot(), old);
    EXPECT_EQ(wow->gameFolder(), old);
    EXPECT_EQ(wow->addonRoot(), old / "interface" / "addons");
    EXPECT_EQ(labels(*wow), QStringList({QStringLiteral("=Retail 8.1.5.30706")}));
    EXPECT_EQ(wow->currentFlavour()->interfaceNumber(), 80105);
    EXPECT_EQ(addons(*wow), QStringList({QStringLiteral("Bartender4"), QStringLiteral("Recount")}));
    EXPECT_TRUE(wow->selectFlavour(QString()));

    // A folder with nothing of the game, chosen anyway: still its own game.
    const fs::path bare = env.scratch() / "Bare";
    writeFile(bare / "Interface" / "AddOns" / "Clock" / "Clock.toc", "## Version: 1\n");
    auto chosen = installation();
    chosen->initializeExplicit(bare);
    EXPECT_EQ(labels(*chosen), QStringList({QStringLiteral("=World of Warcraft")}));
    EXPECT_EQ(addons(*chosen), QStringList({QStringLiteral("Clock")}));
}

} // namespace
