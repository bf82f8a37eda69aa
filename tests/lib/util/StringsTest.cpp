#include "lib/util/Strings.h"

#include <gtest/gtest.h>

namespace {

TEST(StringsTest, TrimRemovesControlCharactersButNotOtherWhiteSpace) {
    using plenfox::util::Strings;
    EXPECT_EQ(Strings::trim(QStringLiteral("\t\x01 a b \r\n")), QStringLiteral("a b"));
    EXPECT_EQ(Strings::trim(QStringLiteral("\u00a0a\u00a0")), QStringLiteral("\u00a0a\u00a0"));
    EXPECT_EQ(Strings::trim(QStringLiteral(" \t ")), QString());
}

} // namespace
