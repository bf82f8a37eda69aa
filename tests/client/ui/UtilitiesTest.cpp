// The size texts the tables show.
#include "client/ui/Utilities.h"

#include <gtest/gtest.h>

using namespace plenfox::client::ui;

TEST(SizeTextTest, UnitsChangeJustAboveTheirLimits) {
    EXPECT_EQ(Utilities::getSizeText(0), QStringLiteral("0 Bytes"));
    EXPECT_EQ(Utilities::getSizeText(1024), QStringLiteral("1024 Bytes"));
    EXPECT_EQ(Utilities::getSizeText(1025), QStringLiteral("1kB"));
    EXPECT_EQ(Utilities::getSizeText(1048576), QStringLiteral("1024kB"));
    EXPECT_EQ(Utilities::getSizeText(1048577), QStringLiteral("1MB"));
    EXPECT_EQ(Utilities::getSizeText(750000), QStringLiteral("732kB"));
    EXPECT_EQ(Utilities::getSizeText(Q_INT64_C(5) << 40), QStringLiteral("5242880MB"));
}
