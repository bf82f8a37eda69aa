#include "platform/WinePrefix.h"
#include "lib/util/Paths.h"
#include "platform/LutrisGameFile.h"
#include "platform/SteamLibraryFolders.h"
#include "platform/WinePrefixFinder.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using plenfox::platform::LutrisGameFile;
using plenfox::platform::SteamLibraryFolders;
using plenfox::platform::WinePrefix;
using plenfox::platform::WinePrefixFinder;
using plenfox::test::writeFile;
using plenfox::util::pathText;
namespace fs = std::filesystem;

namespace {

// Makes a minimal Wine prefix: "system.reg", "drive_c" and the C: link.
fs::path makePrefix(const fs::path& root) {
    writeFile(root / "system.reg", "WINE REGISTRY Version 2\n");
    fs::create_directories(root / "drive_c");
    fs::create_directories(root / "dosdevices");
    fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    return root;
}

struct Scratch {
    QTemporaryDir folder;
    fs::path root = fs::canonical(fs::path(folder.path().toStdU16String()));
};

// The roots and sources the finder reports, with its log lines.
struct Search {
    std::vector<fs::path> roots;
    QStringList sources;
    QStringList log;

    Search(const fs::path& home, std::optional<QString> winePrefix = std::nullopt) {
        const WinePrefixFinder finder(home, std::move(winePrefix),
                                      [this](const QString& line) { log << line; });
        for (const WinePrefixFinder::Found& found : finder.find()) {
            roots.push_back(found.prefix.root());
            sources << found.source;
        }
    }

    bool logged(const QString& text) const {
        return std::any_of(log.begin(), log.end(),
                           [&](const QString& line) { return line.contains(text); });
    }
};

} // namespace

TEST(WinePrefixTest, MapsWindowsPathsThroughTheDrives) {
    Scratch scratch;
    const WinePrefix prefix(makePrefix(scratch.root / "prefix"));
    const fs::path game =
        scratch.root / "prefix" / "drive_c" / "Program Files (x86)" / "World of Warcraft";
    writeFile(game / "Wow.exe", "MZ");
    const fs::path other = scratch.root / "disk";
    writeFile(other / "Games" / "WoW" / "Wow.exe", "MZ");
    fs::create_directory_symlink(other, scratch.root / "prefix" / "dosdevices" / "D:");

    QString problem;
    const auto map = [&](const QString& path) { return prefix.toLocalPath(path, problem); };
    EXPECT_EQ(map(QStringLiteral("C:\\program files (x86)\\WORLD OF WARCRAFT\\wow.exe")),
              game / "Wow.exe");
    EXPECT_EQ(map(QStringLiteral("c:/Program Files (x86)/World of Warcraft/")), game);
    EXPECT_EQ(map(QStringLiteral("C:\\Temp\\..\\.\\Program Files (x86)\\World of Warcraft")), game);
    EXPECT_EQ(map(QStringLiteral("d:\\games\\wow")), other / "Games" / "WoW");
    // A path still to be made keeps the rest as given.
    EXPECT_EQ(map(QStringLiteral("C:\\Program Files (x86)\\Missing\\x")),
              game.parent_path() / "Missing" / "x");

    for (const QString& bad :
         {QStringLiteral("E:\\Games"), QStringLiteral("C:\\..\\..\\etc\\passwd"),
          QStringLiteral("C:\\a\\..\\..\\etc"), QStringLiteral("Program Files\\WoW"),
          QStringLiteral("\\\\server\\share\\WoW"), QStringLiteral("C:relative"),
          QStringLiteral("/home/player/WoW"), QString()}) {
        problem.clear();
        EXPECT_FALSE(map(bad)) << bad.toStdString();
        EXPECT_FALSE(problem.isEmpty()) << bad.toStdString();
    }

    // Without its links, drive C: is still "drive_c"; other drives are gone.
    const WinePrefix bare(scratch.root / "bare");
    fs::create_directories(scratch.root / "bare" / "drive_c" / "ProgramData");
    EXPECT_EQ(bare.toLocalPath(QStringLiteral("C:\\ProgramData"), problem),
              scratch.root / "bare" / "drive_c" / "ProgramData");
    EXPECT_EQ(bare.programData(), scratch.root / "bare" / "drive_c" / "ProgramData");
    EXPECT_FALSE(bare.toLocalPath(QStringLiteral("D:\\x"), problem));
    EXPECT_FALSE(WinePrefix::isPrefix(scratch.root / "bare")) << "no system.reg";
    EXPECT_TRUE(WinePrefix::isPrefix(scratch.root / "prefix"));
}

TEST(WinePrefixTest, FindsPrefixesInOrderOnce) {
    Scratch scratch;
    const fs::path home = scratch.root / "home";
    const fs::path named = makePrefix(scratch.root / "elsewhere" / "named");
    makePrefix(home / ".wine");
    makePrefix(home / "Games" / "b-game");
    makePrefix(home / "Games" / "a-game");
    fs::create_directories(home / "Games" / "native-game");
    const fs::path lutrisOnly = makePrefix(home / "wine" / "battlenet");
    writeFile(home / ".config" / "lutris" / "games" / "battlenet-1.yml",
              "game:\n  exe: drive_c/x.exe\n  prefix: '~/wine/battlenet'\nsystem: {}\n");
    // Names a prefix found already, and one that is none.
    writeFile(home / ".local" / "share" / "lutris" / "games" / "a.yml",
              "game:\n  prefix: \"" + pathText(home / "Games" / "a-game").toUtf8() + "\"\n");
    writeFile(home / ".config" / "lutris" / "games" / "broken.yml",
              "game:\n  prefix: " + pathText(scratch.root / "nothing").toUtf8() + "\n");
    writeFile(home / ".config" / "lutris" / "games" / "notes.txt", "prefix: /elsewhere\n");

    const fs::path steam = home / ".local" / "share" / "Steam";
    makePrefix(steam / "steamapps" / "compatdata" / "20" / "pfx");
    makePrefix(steam / "steamapps" / "compatdata" / "10" / "pfx");
    fs::create_directories(steam / "steamapps" / "compatdata" / "0");
    fs::create_directories(home / ".steam");
    fs::create_directory_symlink(steam, home / ".steam" / "steam");
    const fs::path library = scratch.root / "library";
    makePrefix(library / "steamapps" / "compatdata" / "30" / "pfx");
    writeFile(steam / "steamapps" / "libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + pathText(steam).toUtf8() +
                  "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + pathText(library).toUtf8() +
                  "\"\n\t\t\"apps\"\n\t\t{\n\t\t}\n\t}\n}\n");
    const fs::path flatpak =
        home / ".var" / "app" / "com.valvesoftware.Steam" / ".local" / "share" / "Steam";
    makePrefix(flatpak / "steamapps" / "compatdata" / "40" / "pfx");

    const Search search(home, pathText(named));
    const std::vector<fs::path> expected{named,
                                         home / ".wine",
                                         home / "Games" / "a-game",
                                         home / "Games" / "b-game",
                                         lutrisOnly,
                                         steam / "steamapps" / "compatdata" / "10" / "pfx",
                                         steam / "steamapps" / "compatdata" / "20" / "pfx",
                                         library / "steamapps" / "compatdata" / "30" / "pfx",
                                         flatpak / "steamapps" / "compatdata" / "40" / "pfx"};
    EXPECT_EQ(search.roots, expected);
    ASSERT_EQ(search.sources.size(), qsizetype(expected.size()));
    EXPECT_EQ(search.sources[0], QStringLiteral("WINEPREFIX"));
    EXPECT_EQ(search.sources[1], QStringLiteral("~/.wine"));
    EXPECT_TRUE(search.sources[4].contains(QStringLiteral("battlenet-1.yml")));
    EXPECT_TRUE(search.sources[7].contains(pathText(library)));
    EXPECT_TRUE(search.logged(pathText(scratch.root / "nothing")));

    // Without a home only $WINEPREFIX is looked at; a wrong one is logged.
    EXPECT_EQ(Search(fs::path(), pathText(named)).roots, std::vector<fs::path>{named});
    const Search wrong(fs::path(), pathText(home / "Games"));
    EXPECT_TRUE(wrong.roots.empty());
    EXPECT_TRUE(wrong.logged(QStringLiteral("Not a Wine prefix")));
}

TEST(WinePrefixTest, NeverFollowsLinksOutOfTheHomeOrIntoLoops) {
    Scratch scratch;
    const fs::path home = scratch.root / "home";
    const fs::path outside = makePrefix(scratch.root / "outside");
    fs::create_directories(home / "Games");
    fs::create_directory_symlink(outside, home / "Games" / "a-linked-out");
    fs::create_directory_symlink(home / "Games" / "b-loop", home / "Games" / "b-loop");
    fs::create_directory_symlink(home / "Games" / "c-other", home / "Games" / "d-cycle");
    fs::create_directory_symlink(home / "Games" / "d-cycle", home / "Games" / "c-other");
    const fs::path inside = makePrefix(home / "Games" / "e-real");
    fs::create_directory_symlink(inside, home / "Games" / "f-linked-in");
    // A link out of the home for Lutris's and Steam's own files too.
    writeFile(scratch.root / "game.yml", "game:\n  prefix: " + pathText(outside).toUtf8() + "\n");
    fs::create_directories(home / ".config" / "lutris" / "games");
    fs::create_symlink(scratch.root / "game.yml", home / ".config" / "lutris" / "games" / "x.yml");
    fs::create_directories(home / ".local" / "share");
    fs::create_directory_symlink(scratch.root, home / ".local" / "share" / "Steam");
    fs::create_directories(scratch.root / "steamapps" / "compatdata" / "1");
    fs::create_directory_symlink(outside, scratch.root / "steamapps" / "compatdata" / "1" / "pfx");
    // A prefix whose registry is a link is no prefix.
    const fs::path linkedRegistry = home / "Games" / "g-linked-registry";
    fs::create_directories(linkedRegistry / "drive_c");
    fs::create_symlink(outside / "system.reg", linkedRegistry / "system.reg");

    const Search search(home);
    EXPECT_EQ(search.roots, std::vector<fs::path>{inside});
    EXPECT_TRUE(search.logged(QStringLiteral("a-linked-out]: it links out of")));
    EXPECT_TRUE(search.logged(QStringLiteral("b-loop]")));
    EXPECT_TRUE(search.logged(QStringLiteral("c-other]")));
    EXPECT_TRUE(search.logged(QStringLiteral("x.yml]: it links out of")));
    EXPECT_TRUE(search.logged(QStringLiteral("Steam]: it links out of")));
}

TEST(WinePrefixTest, ReadsOnlyTheirKeysFromLutrisAndSteamFiles) {
    EXPECT_EQ(LutrisGameFile::parsePrefix("game:\n  arch: win64\n  prefix: /home/p/Games/bn\n"),
              QStringLiteral("/home/p/Games/bn"));
    EXPECT_EQ(LutrisGameFile::parsePrefix("game:\r\n  prefix: '/a/it''s' \r\n"),
              QStringLiteral("/a/it's"));
    EXPECT_EQ(LutrisGameFile::parsePrefix("game:\n  prefix: \"/a/\\\"q\\\"\"\n"),
              QStringLiteral("/a/\"q\""));
    EXPECT_EQ(LutrisGameFile::parsePrefix("game:\n  prefix: /a/b # comment\n"),
              QStringLiteral("/a/b"));
    EXPECT_EQ(LutrisGameFile::parsePrefix("game:\n  prefix:\n  prefixes: x\n  prefix: /c\n"),
              QStringLiteral("/c"));
    EXPECT_FALSE(LutrisGameFile::parsePrefix("game:\n  exe: wine_prefix: /x\n"));
    EXPECT_FALSE(LutrisGameFile::parsePrefix(QByteArray("\0\xff\xfe", 3)));

    // The current form, with comments and escapes.
    EXPECT_EQ(
        SteamLibraryFolders::parsePaths(
            "// made by Steam\n\"libraryfolders\"\n{\n\"0\"\n{\n\"path\" \"/home/p/Steam\"\n"
            "\"label\" \"\"\n\"apps\" { \"228980\" \"1\" }\n}\n\"1\" {\n\"PATH\" "
            "\"/mnt/my \\\"games\\\"\\\\lib\"\n}\n}\n"),
        QStringList({QStringLiteral("/home/p/Steam"), QStringLiteral("/mnt/my \"games\"\\lib")}));
    // The older form listed the folders under numbered keys.
    EXPECT_EQ(SteamLibraryFolders::parsePaths("\"LibraryFolders\"\n{\n\"TimeNextStatsReport\" "
                                              "\"1600000000\"\n\"1\" \"/mnt/old\"\n}\n"),
              QStringList({QStringLiteral("/mnt/old")}));
    // Nesting deeper than Steam writes ends the reading; so do stray braces.
    QByteArray deep = "\"a\" { \"path\" \"/first\" ";
    for (int i = 0; i < 100; ++i)
        deep += "\"k\" { ";
    deep += "\"path\" \"/deep\"";
    EXPECT_EQ(SteamLibraryFolders::parsePaths(deep), QStringList({QStringLiteral("/first")}));
    EXPECT_EQ(SteamLibraryFolders::parsePaths("} \"path\" \"/x\""), QStringList());
    EXPECT_EQ(SteamLibraryFolders::parsePaths("\"path\" \"/unterminated"),
              QStringList({QStringLiteral("/unterminated")}));
}
