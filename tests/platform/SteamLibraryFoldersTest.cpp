#include "platform/SteamLibraryFolders.h"

#include <gtest/gtest.h>

using plenfox::platform::SteamLibraryFolders;

TEST(SteamLibraryFoldersTest, ReadsOnlyTheLibraryPaths) {
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
