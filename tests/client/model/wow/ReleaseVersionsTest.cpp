#include "client/model/wow/ReleaseVersions.h"

#include <gtest/gtest.h>

using plenfox::client::wow::ReleaseVersions;

TEST(ReleaseVersionsTest, InterfaceLookup) {
    const auto lookup = [](const char* number) {
        return ReleaseVersions::getInterfaceVersionName(QString::fromLatin1(number));
    };
    // Shared interface numbers answer the last release that has them.
    EXPECT_EQ(lookup("1300"), QStringLiteral("1.4.0"));
    EXPECT_EQ(lookup("20003"), QStringLiteral("2.0.3"));
    EXPECT_EQ(lookup("40000"), QStringLiteral("4.0.3"));
    EXPECT_EQ(lookup("50400"), QStringLiteral("5.4"));
    EXPECT_EQ(lookup(" 1300"), QStringLiteral(" 1300"));
    EXPECT_FALSE(ReleaseVersions::getInterfaceVersionName(std::nullopt).has_value());
}
