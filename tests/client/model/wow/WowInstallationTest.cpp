#include "client/model/wow/WowInstallation.h"
#include "client/model/Client.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/persistence/ObjectWriter.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "lib/util/Paths.h"
#include "platform/InMemoryRegistry.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>

using plenfox::client::wow::InstalledWowAddon;
using plenfox::client::wow::WowInstallation;
using plenfox::platform::InMemoryRegistry;
using plenfox::platform::Registry;
using plenfox::test::TestEnvironment;
using plenfox::test::writeFile;
namespace fs = std::filesystem;

namespace {

QByteArray bytes(const fs::path& path) {
    return plenfox::util::pathText(path).toUtf8();
}

// A game installation with its own registry and a "ProgramData" folder in the
// test's scratch folder (absent when programData is empty).
struct Installation {
    std::shared_ptr<InMemoryRegistry> registry = std::make_shared<InMemoryRegistry>();
    std::unique_ptr<WowInstallation> wow;

    explicit Installation(const fs::path& programData) {
        const QString value =
            programData.empty() ? QString() : plenfox::util::pathText(programData);
        wow = std::make_unique<WowInstallation>(
            registry, [value](const QString& name) -> std::optional<QString> {
                if (name != QStringLiteral("ProgramData") || value.isNull())
                    return std::nullopt;
                return value;
            });
    }
};

fs::path makeGame(const fs::path& folder) {
    writeFile(folder / "wow.exe", "MZ");
    return folder;
}

} // namespace

TEST(WowInstallationTest, SetupLogsWithMixedCaseNames) {
    TestEnvironment env;
    const fs::path data = env.scratch() / "ProgramData";
    const fs::path setup = data / "battle.net" / "Setup";
    const fs::path game = makeGame(env.scratch() / "Games" / "World of Warcraft");
    const fs::path noWowExe = env.scratch() / "Other";
    writeFile(noWowExe / "Launcher.exe", "MZ");

    // A product whose log names an executable in a folder without "wow.exe".
    writeFile(setup / "wow_beta" / "log" / "setup-1.log",
              "Blizzard Setup started at '" + bytes(noWowExe / "Launcher.exe") + "'\n");
    // Only the first line counts; the second names the real game.
    writeFile(setup / "WOW_PTR" / "log" / "Setup-2.Log",
              "Some other first line\nBlizzard Setup at '" + bytes(game / "wow.exe") + "'\n");
    // A "wow_" entry that is a file: its log folder cannot be listed.
    writeFile(setup / "wow_notes.txt", "x");
    // Not a product of the game.
    writeFile(setup / "sc2_enUS" / "log" / "setup-3.log",
              "Blizzard Setup at '" + bytes(game / "wow.exe") + "'");
    // The accepted one: capitals in both names, UTF-16LE with a mark, CR LF.
    QByteArray utf16 = "\xFF\xFE";
    const QString line = QStringLiteral("2013-05-01 Blizzard Setup v1 at '") +
                         plenfox::util::pathText(game / "wow.exe") +
                         QStringLiteral("' done\r\nsecond line\r\n");
    for (QChar c : line)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    writeFile(setup / "WoW_enUS" / "log" / "SETUP-20130501.LOG", utf16);
    writeFile(setup / "WoW_enUS" / "log" / "other.log",
              "Blizzard Setup at '" + bytes(game / "wow.exe") + "'");

    Installation installation(data);
    EXPECT_TRUE(installation.wow->exists());
    EXPECT_EQ(installation.wow->installRoot(), game);
    // Still to be made: spelled as the game spells it.
    EXPECT_EQ(installation.wow->addonRoot(), game / "Interface" / "AddOns");
    EXPECT_FALSE(installation.wow->addonRootExists());

    EXPECT_TRUE(
        env.logContains(QStringLiteral("ProgramData [") + plenfox::util::pathText(data) + "]"));
    EXPECT_TRUE(env.logContains(QStringLiteral("Found wow directories: 4")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Accepting validated path [") +
                                plenfox::util::pathText(game) + "]"));
    EXPECT_TRUE(
        env.logContains(QStringLiteral("Read first log line [2013-05-01 Blizzard Setup v1 at '")));
    EXPECT_FALSE(env.logContains(QStringLiteral("second line")));
    EXPECT_FALSE(
        env.logContains(QStringLiteral("Attempting to find wow installation from switcher.log")));
    EXPECT_FALSE(env.logContains(QStringLiteral("Accepting validated path [") +
                                 plenfox::util::pathText(noWowExe)));
}

TEST(WowInstallationTest, SwitcherLogQuirks) {
    TestEnvironment env;
    const fs::path data = env.scratch() / "ProgramData";
    // The switcher log's folder is accepted when it exists, "wow.exe" or not.
    const fs::path game = env.scratch() / "Live";
    fs::create_directories(game);
    const QByteArray log = "launch '--game=wow_enus'\n" // no game path yet: nothing
                           "args '--gamepath=" +
                           bytes(env.scratch() / "Old") +
                           "' x\r\n"
                           "weird 'a'b'c'\r"     // three quotes
                           "'--game=wow_enus'\n" // detects the old path
                           "empty ''\n"
                           "'--gamepath=" +
                           bytes(game) +
                           "'\n"
                           "'--game=wow_ptr'\n" // the last detection wins
                           "'--other'\n";
    writeFile(data / "battle.net" / "Client" / "Logs" / "switcher.log", log);

    // A "wow_" setup entry that is a file is logged; detection goes on.
    writeFile(data / "battle.net" / "Setup" / "wow_file", "not a folder");

    Installation installation(data);
    EXPECT_TRUE(installation.wow->exists());
    EXPECT_EQ(installation.wow->installRoot(), game);
    EXPECT_TRUE(env.logContains(
        WowInstallation::Prefix +
        QStringLiteral(".initializeFromBattleNetAppLogs: hit an exception on directory [") +
        plenfox::util::pathText(data / "battle.net" / "Setup" / "wow_file") + "]"));
    EXPECT_TRUE(env.logContains(QStringLiteral("ignoring weird interior string")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Found interior string: [a'b'c]")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Detected wow path [") +
                                plenfox::util::pathText(env.scratch() / "Old") + "]"));
    EXPECT_TRUE(env.logContains(QStringLiteral("Detected wow path [") +
                                plenfox::util::pathText(game) + "]"));
    EXPECT_TRUE(env.logContains(QStringLiteral("parsed 8 lines of switcher.log")));
    EXPECT_LT(env.logIndexOf(QStringLiteral("Found interior string: [--game=wow_enus]")),
              env.logIndexOf(QStringLiteral("found gamepath [")));
    EXPECT_FALSE(
        env.logContains(QStringLiteral("Trying to detect wow installation from the registry")));
}

TEST(WowInstallationTest, RegistryValues) {
    TestEnvironment env;
    const fs::path game = env.scratch() / "Registry Game";
    fs::create_directories(game);
    const QString key = WowInstallation::RegistryKey;
    {
        // No environment, no key.
        Installation installation({});
        EXPECT_FALSE(installation.wow->exists());
        EXPECT_FALSE(installation.wow->addonRoot().has_value());
        EXPECT_TRUE(env.logContains(QStringLiteral("Could not get env.ProgramData")));
        EXPECT_TRUE(
            env.logContains(QStringLiteral("Blizzard key: HKEY_LOCAL_MACHINE\\SOFTWARE\\Blizzard "
                                           "Entertainment\\World of Warcraft")));
        EXPECT_TRUE(env.logContains(QStringLiteral(" ... does not exist")));
    }
    {
        Installation installation({});
        installation.registry->addKey(key);
        EXPECT_FALSE(installation.wow->exists());
        EXPECT_TRUE(env.logContains(QStringLiteral(" ... does not have [InstallPath]")));
    }
    {
        // An expandable string is not taken as the path.
        Installation installation({});
        installation.registry->setValue(
            key, QStringLiteral("InstallPath"),
            {Registry::ValueType::ExpandString, plenfox::util::pathText(game)});
        EXPECT_FALSE(installation.wow->exists());
        EXPECT_FALSE(installation.wow->installRoot().has_value());
        EXPECT_TRUE(env.logContains(QStringLiteral("value.type == REG_EXPAND_SZ")));
    }
    {
        // A plain string naming a file: set, but not installed.
        writeFile(env.scratch() / "file", "x");
        Installation installation({});
        installation.registry->setValue(
            key, QStringLiteral("installpath"),
            {Registry::ValueType::String, plenfox::util::pathText(env.scratch() / "file")});
        EXPECT_FALSE(installation.wow->exists());
        EXPECT_EQ(installation.wow->installRoot(), env.scratch() / "file");
        EXPECT_TRUE(env.logContains(QStringLiteral("path.exists true")));
        EXPECT_TRUE(env.logContains(QStringLiteral("path.isDirectory false")));
    }
    {
        Installation installation({});
        installation.registry->setValue(
            key, QStringLiteral("InstallPath"),
            {Registry::ValueType::String, plenfox::util::pathText(game)});
        EXPECT_TRUE(installation.wow->exists());
        EXPECT_EQ(installation.wow->installRoot(), game);
        EXPECT_TRUE(env.logContains(QStringLiteral("path: ") + plenfox::util::pathText(game)));
    }
}

TEST(WowInstallationTest, ExplicitFolderAndAddonScan) {
    TestEnvironment env;
    Installation installation({});
    const fs::path missing = env.scratch() / "Missing";
    installation.wow->initializeExplicit(missing);
    EXPECT_FALSE(installation.wow->exists());
    EXPECT_EQ(installation.wow->installRoot(), missing);
    EXPECT_TRUE(env.logContains(QStringLiteral("Initializing with an explicit path: [") +
                                plenfox::util::pathText(missing) + "]"));
    // Explicit initialization replaces automatic detection.
    EXPECT_FALSE(
        env.logContains(QStringLiteral("Trying to detect wow installation from the registry")));

    const fs::path game = env.scratch() / "Game";
    const fs::path addons = game / "interface" / "addons";
    writeFile(addons / "Alpha" / "Alpha.toc", "## Version: 1.0\n");
    writeFile(addons / "Beta" / "Beta.toc" / "not-a-file", "");
    writeFile(addons / "NoToc" / "Other.toc", "## Version: 2\n");
    writeFile(addons / "loose.toc", "## Version: 3\n");
    writeFile(addons / "Gamma" / "Gamma.toc", "## Title: G\n");
    // The game's file system ignores case, so does the scan.
    writeFile(addons / "Delta" / "delta.TOC", "## Version: 4\n");
    installation.wow->initializeExplicit(game);
    EXPECT_TRUE(installation.wow->exists());

    QStringList found;
    for (const auto& addon : installation.wow->addons())
        found << addon->getName() + "=" + addon->getVersionName();
    found.sort();
    EXPECT_EQ(found, QStringList({QStringLiteral("Alpha=1.0"), QStringLiteral("Delta=4"),
                                  QStringLiteral("Gamma=?")}));
}

TEST(WowInstallationTest, FoldersSpelledInAnyCaseAreFoundWhereLetterCaseCounts) {
    TestEnvironment env;
    // The game's own spelling of the addon folder, and the launcher's folders
    // in capitals, as a Windows disk mounted on Linux shows them.
    const fs::path game = makeGame(env.scratch() / "Game");
    const fs::path addons = game / "Interface" / "AddOns";
    writeFile(addons / "Alpha" / "Alpha.toc", "## Version: 1.0\n");
    const fs::path data = env.scratch() / "ProgramData";
    writeFile(data / "Battle.net" / "SETUP" / "wow_enus" / "Log" / "setup-1.log",
              "Blizzard Setup at '" + bytes(game / "wow.exe") + "'\n");

    Installation fromSetupLog(data);
    EXPECT_TRUE(fromSetupLog.wow->exists());
    EXPECT_EQ(fromSetupLog.wow->addonRoot(), addons);
    EXPECT_TRUE(fromSetupLog.wow->addonRootExists());
    const auto found = fromSetupLog.wow->addons();
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0]->getName(), QStringLiteral("Alpha"));
    EXPECT_EQ(found[0]->getRoot(), addons / "Alpha");

    const fs::path otherData = env.scratch() / "OtherProgramData";
    writeFile(otherData / "BATTLE.NET" / "client" / "LOGS" / "Switcher.log",
              "'--gamepath=" + bytes(game) + "'\n'--game=wow_enus'\n");
    Installation fromSwitcherLog(otherData);
    EXPECT_TRUE(fromSwitcherLog.wow->exists());
    EXPECT_EQ(fromSwitcherLog.wow->installRoot(), game);
    EXPECT_TRUE(env.logContains(QStringLiteral("parsed 2 lines of switcher.log")));
}

TEST(WowInstallationTest, SetupLogWithoutLineEndIsReadOnlyToTheLimit) {
    TestEnvironment env;
    const fs::path game = makeGame(env.scratch() / "Game");
    const fs::path data = env.scratch() / "ProgramData";
    // 1 MiB of UTF-16 in one line.
    const QString line = QStringLiteral("Blizzard Setup at '") +
                         plenfox::util::pathText(game / "wow.exe") + QStringLiteral("' ") +
                         QString(512 * 1024, u'x');
    QByteArray utf16 = "\xFF\xFE";
    for (QChar c : line)
        utf16.append(char(c.unicode() & 0xFF)).append(char(c.unicode() >> 8));
    writeFile(data / "battle.net" / "Setup" / "wow_enus" / "log" / "setup-1.log", utf16);

    Installation installation(data);
    EXPECT_EQ(installation.wow->installRoot(), game);
    const QStringList lines = env.logLines();
    const auto logged = std::find_if(lines.begin(), lines.end(), [](const QString& text) {
        return text.contains(QStringLiteral("Read first log line ["));
    });
    ASSERT_NE(logged, lines.end());
    // Two bytes of mark, then 32767 characters of two bytes.
    EXPECT_TRUE(logged->endsWith(QStringLiteral("xxx]")));
    EXPECT_EQ(logged->size(), QStringLiteral("Read first log line []").size() + 32767);
}

TEST(WowInstallationTest, TargetFileRoundTrip) {
    TestEnvironment env;
    const fs::path dataFolder = env.scratch() / "data";
    const fs::path target = dataFolder / "Target.dat";
    const fs::path game = env.scratch() / "Chosen";
    fs::create_directories(game);
    const auto makeClient = [&dataFolder](WowInstallation** wow) {
        Installation installation({});
        *wow = installation.wow.get();
        return std::make_unique<plenfox::client::model::Client>(
            nullptr, std::make_unique<plenfox::client::model::ClientRepository>(dataFolder),
            std::move(installation.wow));
    };

    WowInstallation* wow = nullptr;
    {
        // Nothing chosen: automatic detection, no data file written.
        auto client = makeClient(&wow);
        ASSERT_TRUE(client->initialize());
        EXPECT_FALSE(wow->exists());
        client->shutdown();
        EXPECT_FALSE(fs::exists(target));
    }
    {
        auto client = makeClient(&wow);
        auto options = std::make_shared<plenfox::client::model::ClientOptions>();
        options->setWowFolder(game);
        ASSERT_TRUE(client->initialize(options));
        EXPECT_TRUE(wow->exists());
        client->shutdown();
        EXPECT_TRUE(fs::exists(target));
        EXPECT_FALSE(fs::exists(dataFolder / "Target.dat.tmp"));
    }
    {
        // A later run takes the folder from the data file.
        auto client = makeClient(&wow);
        ASSERT_TRUE(client->initialize());
        EXPECT_EQ(wow->installRoot(), game);
        EXPECT_TRUE(wow->exists());
        client->shutdown();
    }
    {
        // A value of another type counts as no folder.
        QFile file(plenfox::util::pathText(target));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        plenfox::client::model::ObjectWriter writer(file);
        writer.writeString(plenfox::util::pathText(game));
        file.close();
        auto client = makeClient(&wow);
        ASSERT_TRUE(client->initialize());
        EXPECT_FALSE(wow->exists());
        EXPECT_FALSE(wow->installRoot().has_value());
        EXPECT_EQ(env.app().getExceptionCount(), 0);
    }
}
