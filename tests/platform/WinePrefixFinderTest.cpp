#include "platform/WinePrefixFinder.h"
#include "lib/util/Paths.h"
#include "tests/platform/WinePrefixFixture.h"

#include <gtest/gtest.h>

#include <algorithm>

using plenfox::platform::WinePrefixFinder;
using plenfox::test::makePrefix;
using plenfox::test::Scratch;
using plenfox::test::writeFile;
using plenfox::util::pathText;
namespace fs = std::filesystem;

namespace {

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

TEST(WinePrefixFinderTest, FindsPrefixesInOrderOnce) {
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

TEST(WinePrefixFinderTest, NeverFollowsLinksOutOfTheHomeOrIntoLoops) {
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
