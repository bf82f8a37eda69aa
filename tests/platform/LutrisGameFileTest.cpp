#include "platform/LutrisGameFile.h"

#include <gtest/gtest.h>

using plenfox::platform::LutrisGameFile;

TEST(LutrisGameFileTest, ReadsOnlyThePrefixKey) {
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
}
