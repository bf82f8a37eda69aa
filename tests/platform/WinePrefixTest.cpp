#include "platform/WinePrefix.h"
#include "lib/util/Paths.h"
#include "tests/platform/WinePrefixFixture.h"

#include <gtest/gtest.h>

using plenfox::platform::WinePrefix;
using plenfox::test::makePrefix;
using plenfox::test::Scratch;
using plenfox::test::writeFile;
using plenfox::util::pathText;
namespace fs = std::filesystem;

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
