#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Paths.h"
#include "platform/InMemoryRegistry.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <map>

using plenfox::client::wow::WowInstallation;
using plenfox::test::TestEnvironment;
using plenfox::test::writeFile;
using plenfox::util::pathText;
namespace fs = std::filesystem;

namespace {

// A player's home folder in the test's scratch folder, on a system without
// "ProgramData" and without a registry of its own.
struct Home {
    fs::path home;
    std::optional<QString> winePrefix;

    explicit Home(const TestEnvironment& env) : home(env.scratch() / "home") {
        fs::create_directories(home);
    }

    std::unique_ptr<WowInstallation> installation() const {
        const QString homeText = pathText(home);
        return std::make_unique<WowInstallation>(
            std::make_shared<plenfox::platform::InMemoryRegistry>(),
            [homeText, prefix = winePrefix](const QString& name) -> std::optional<QString> {
                if (name == QStringLiteral("HOME"))
                    return homeText;
                if (name == QStringLiteral("WINEPREFIX"))
                    return prefix;
                return std::nullopt;
            });
    }
};

// A Wine prefix whose registry holds the given sections.
fs::path makePrefix(const fs::path& root, const QByteArray& sections = {}) {
    writeFile(root / "system.reg",
              "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n"
              "[Software\\\\Wine] 1600000000\n\"Version\"=\"win10\"\n\n" +
                  sections);
    fs::create_directories(root / "drive_c" / "ProgramData");
    fs::create_directories(root / "dosdevices");
    fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    fs::create_directory_symlink("/", root / "dosdevices" / "z:");
    return root;
}

QByteArray installPath(const QByteArray& escapedPath) {
    return "[Software\\\\Wow6432Node\\\\Blizzard Entertainment\\\\World of Warcraft] 1600000000\n"
           "#time=1d6b2a0c1e3f4a0\n\"InstallPath\"=" +
           escapedPath + "\n";
}

// A game folder with one addon; the executable's name in the launcher's case.
fs::path makeGame(const fs::path& folder) {
    writeFile(folder / "Wow.exe", "MZ");
    writeFile(folder / "interface" / "addons" / "Clock" / "Clock.toc",
              "## Title: Clock\n## Version: 1.0\n");
    return folder;
}

fs::path driveC(const fs::path& prefix) {
    return prefix / "drive_c";
}

fs::path programData(const fs::path& prefix) {
    return driveC(prefix) / "ProgramData";
}

void writeSetupLog(const fs::path& prefix, const QByteArray& executable) {
    writeFile(programData(prefix) / "battle.net" / "Setup" / "wow_enus" / "log" / "setup-1.log",
              "2019-01-01 Blizzard Setup v2 at '" + executable + "'\nsecond line\n");
}

void writeSwitcherLog(const fs::path& prefix, const QByteArray& game) {
    writeFile(programData(prefix) / "battle.net" / "Client" / "Logs" / "switcher.log",
              "start '--gamepath=" + game + "' x\n" + "run '--game=wow_enus'\n");
}

// Size and modification time of everything below a folder.
std::map<fs::path, std::pair<std::uintmax_t, fs::file_time_type>> snapshot(const fs::path& root) {
    std::map<fs::path, std::pair<std::uintmax_t, fs::file_time_type>> entries;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator();
         ++it) {
        std::error_code error;
        const auto status = it->symlink_status(error);
        entries[it->path()] = {fs::is_regular_file(status) ? it->file_size() : 0,
                               fs::is_symlink(status) ? fs::file_time_type()
                                                      : it->last_write_time()};
    }
    return entries;
}

} // namespace

TEST(WineDetectionTest, FindsTheGameThroughEachSourceOfEachKindOfPrefix) {
    {
        // ~/.wine, found through its setup log; the game file's name in
        // another case, the path with forward slashes.
        TestEnvironment env;
        const Home home(env);
        const fs::path prefix = makePrefix(home.home / ".wine");
        const fs::path game =
            makeGame(driveC(prefix) / "Program Files (x86)" / "World of Warcraft");
        writeSetupLog(prefix, "c:/program files (x86)/world of warcraft/WOW.EXE");

        const auto wow = home.installation();
        EXPECT_TRUE(wow->exists());
        EXPECT_EQ(wow->installRoot(), game);
        const auto addons = wow->addons();
        ASSERT_EQ(addons.size(), 1u);
        EXPECT_EQ(addons[0]->getName(), QStringLiteral("Clock"));
        // The machine's own sources come first and find nothing.
        EXPECT_LT(env.logIndexOf(QStringLiteral("Could not get env.ProgramData")),
                  env.logIndexOf(QStringLiteral("Examining Wine prefix")));
        EXPECT_TRUE(env.logContains(QStringLiteral("Examining Wine prefix [") + pathText(prefix) +
                                    QStringLiteral("] (~/.wine)")));
        EXPECT_TRUE(env.logContains(QStringLiteral("Found wow installation in Wine prefix [") +
                                    pathText(prefix) +
                                    QStringLiteral("] through the Battle.net setup logs")));
    }
    {
        // A Lutris prefix with nothing but its registry.
        TestEnvironment env;
        const Home home(env);
        const fs::path prefix =
            makePrefix(home.home / "Games" / "battlenet",
                       installPath("\"C:\\\\Program Files (x86)\\\\World of Warcraft\\\\\""));
        const fs::path game =
            makeGame(driveC(prefix) / "Program Files (x86)" / "World of Warcraft");

        const auto wow = home.installation();
        EXPECT_TRUE(wow->exists());
        EXPECT_EQ(wow->installRoot(), game);
        EXPECT_TRUE(
            env.logContains(QStringLiteral("Could not find the battle.net/setup directory")));
        EXPECT_TRUE(env.logContains(QStringLiteral("Found wow installation in Wine prefix [") +
                                    pathText(prefix) + QStringLiteral("] through the registry")));
    }
    {
        // A Steam game's prefix, found through switcher.log.
        TestEnvironment env;
        const Home home(env);
        const fs::path prefix = makePrefix(home.home / ".local" / "share" / "Steam" / "steamapps" /
                                           "compatdata" / "3481729034" / "pfx");
        const fs::path game = makeGame(driveC(prefix) / "Games" / "World of Warcraft");
        writeSwitcherLog(prefix, "C:\\Games\\World of Warcraft");

        const auto wow = home.installation();
        EXPECT_TRUE(wow->exists());
        EXPECT_EQ(wow->installRoot(), game);
        EXPECT_TRUE(env.logContains(QStringLiteral("Found wow installation in Wine prefix [") +
                                    pathText(prefix) + QStringLiteral("] through switcher.log")));
    }
}

TEST(WineDetectionTest, SkipsWhatCannotBeUsedAndGoesOnWithoutWriting) {
    TestEnvironment env;
    const Home home(env);
    // ~/.wine: its registry value is a number, its setup log points out of
    // the drive, its switcher log names a drive it lacks.
    const fs::path first = makePrefix(home.home / ".wine",
                                      "[Software\\\\Blizzard Entertainment\\\\World of Warcraft]\n"
                                      "\"InstallPath\"=dword:00000001\n");
    writeSetupLog(first, "C:\\..\\..\\..\\wow.exe");
    writeSwitcherLog(first, "Q:\\World of Warcraft");
    // Then a registry file that is binary, one cut short, and a link loop.
    const fs::path games = home.home / "Games";
    writeFile(games / "a-binary" / "system.reg", QByteArray("\x7f"
                                                            "ELF\0\0\0\x01",
                                                            8));
    fs::create_directories(games / "a-binary" / "drive_c");
    makePrefix(games / "b-cut", "[Software\\\\Wow6432Node\\\\Blizzard Entertainment\\\\World of "
                                "Warcraft]\n\"InstallPath\"=\"C:\\\\Program Fi");
    fs::create_directory_symlink(games / "c-loop", games / "c-loop");
    // The prefix with the game: an escaped path on a drive linked elsewhere.
    const fs::path last =
        makePrefix(games / "d-game", installPath("\"D:\\\\W\\x00f6rld of \\\"War\\\"craft\\\\\""));
    const fs::path disk = env.scratch() / "disk";
    const fs::path game = makeGame(disk / "Wörld of \"War\"craft");
    fs::create_directory_symlink(disk, last / "dosdevices" / "d:");

    const auto before = snapshot(env.scratch());
    const auto wow = home.installation();
    EXPECT_TRUE(wow->exists());
    EXPECT_EQ(wow->installRoot(), game);
    EXPECT_EQ(wow->addons().size(), 1u);
    EXPECT_EQ(snapshot(env.scratch()), before);

    EXPECT_TRUE(env.logContains(QStringLiteral("value.type == REG_DWORD")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Ignoring path [C:\\..\\..\\..\\wow.exe]: ")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Ignoring path [Q:\\World of Warcraft]: ")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Cannot read the registry [") +
                                pathText(games / "a-binary" / "system.reg") +
                                QStringLiteral("]: not a Wine registry file")));
    EXPECT_TRUE(
        env.logContains(QStringLiteral("Examining Wine prefix [") + pathText(games / "b-cut")));
    EXPECT_TRUE(env.logContains(QStringLiteral(" ... does not have [InstallPath]")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Skipping [") + pathText(games / "c-loop")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Found wow installation in Wine prefix [") +
                                pathText(last) + QStringLiteral("] through the registry")));
}

TEST(WineDetectionTest, TheFirstPrefixWithTheGameWinsAndAChosenFolderComesFirst) {
    TestEnvironment env;
    Home home(env);
    const fs::path named = makePrefix(env.scratch() / "prefixes" / "wow");
    const fs::path game = makeGame(driveC(named) / "WoW");
    writeSwitcherLog(named, "C:\\WoW");
    home.winePrefix = pathText(named);
    // ~/.wine has a game too, but comes after $WINEPREFIX.
    const fs::path other = makePrefix(home.home / ".wine");
    makeGame(driveC(other) / "WoW");
    writeSwitcherLog(other, "C:\\WoW");

    const auto wow = home.installation();
    EXPECT_EQ(wow->installRoot(), game);
    EXPECT_FALSE(env.logContains(QStringLiteral("Examining Wine prefix [") + pathText(other)));

    // A folder the player chose is used as it is: no detection at all.
    const auto countDetections = [&env] {
        return env.logLines().filter(QStringLiteral("find wow installation in Wine")).size();
    };
    ASSERT_EQ(countDetections(), 1);
    const auto chosen = home.installation();
    chosen->initializeExplicit(driveC(other) / "WoW");
    EXPECT_TRUE(chosen->exists());
    EXPECT_EQ(chosen->installRoot(), driveC(other) / "WoW");
    EXPECT_EQ(countDetections(), 1);
}
