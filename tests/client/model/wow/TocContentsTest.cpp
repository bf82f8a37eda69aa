#include "client/model/wow/ReleaseVersions.h"
#include "client/model/wow/TocFile.h"
#include "client/model/wow/TocMarkup.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plenfox::client::wow {
namespace {

TocFile toc(const QByteArray& text) {
    return TocFile(QStringLiteral("test.toc"), text);
}

TEST(TocContentsTest, SeveralInterfaceNumbers) {
    EXPECT_EQ(toc("## Interface: 120001, 110207\n").getInterfaceNumbers(),
              std::vector<int>({120001, 110207}));
    EXPECT_EQ(toc("## Interface:120001,110207,,  50504 \n").getInterfaceNumbers(),
              std::vector<int>({120001, 110207, 50504}));
    // The raw text stays as it was.
    EXPECT_EQ(toc("## Interface: 120001, 110207\n").getInterface(),
              QStringLiteral("120001, 110207"));
    EXPECT_EQ(toc("## Interface: x, 11508, -3, 1.15\n").getInterfaceNumbers(),
              std::vector<int>({11508}));
    EXPECT_TRUE(toc("## Title: none\n").getInterfaceNumbers().empty());
}

TEST(TocContentsTest, RequiredAndOptionalDependencies) {
    const TocFile file = toc("## Dependencies: Ace3, LibStub \n"
                             "## RequiredDeps:LibStub,Details\n"
                             "## DepsExtra: Plater ,, \n"
                             "## OptionalDeps: Masque, LibSharedMedia-3.0\n"
                             "## X-Dependencies: NotRequired\n"
                             "## Dependancies: ace3, Bagnon\n");
    EXPECT_EQ(
        file.getRequiredDependencies(),
        QStringList({QStringLiteral("Ace3"), QStringLiteral("LibStub"), QStringLiteral("Details"),
                     QStringLiteral("Plater"), QStringLiteral("Bagnon")}));
    EXPECT_EQ(file.getOptionalDependencies(),
              QStringList({QStringLiteral("Masque"), QStringLiteral("LibSharedMedia-3.0")}));
    EXPECT_TRUE(toc("## Title: alone\n").getRequiredDependencies().isEmpty());
}

TEST(TocContentsTest, MarkupIsStrippedForPlayers) {
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("|cffffd200Details!|r Damage Meter")),
              QStringLiteral("Details! Damage Meter"));
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("|TInterface\\Icons\\spell:16|t |CFF00FF00Green|R")),
              QStringLiteral(" Green"));
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("|A:raidicon-star:14:14|a Star|nNext")),
              QStringLiteral(" Star Next"));
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("|cnGREEN_FONT_COLOR:Ready|r")),
              QStringLiteral("Ready"));
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("|Hitem:1234|h[Sword]|h")),
              QStringLiteral("[Sword]"));
    // Bars that start no markup, unclosed elements and short colour codes stay.
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("A || B | C |")), QStringLiteral("A | B | C |"));
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("|Tunclosed")), QStringLiteral("|Tunclosed"));
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("|cff00 short")), QStringLiteral("|cff00 short"));
    EXPECT_EQ(TocMarkup::strip(QStringLiteral("plain")), QStringLiteral("plain"));
}

TEST(TocContentsTest, DevelopmentCopies) {
    EXPECT_TRUE(TocMarkup::isDevelopmentVersion(QStringLiteral("@project-version@")));
    EXPECT_TRUE(TocMarkup::isDevelopmentVersion(QStringLiteral("v@file-revision@-beta")));
    EXPECT_FALSE(TocMarkup::isDevelopmentVersion(QStringLiteral("1.2.3")));
    EXPECT_FALSE(TocMarkup::isDevelopmentVersion(QStringLiteral("me@host")));
    EXPECT_FALSE(TocMarkup::isDevelopmentVersion(QStringLiteral("@@")));
    EXPECT_FALSE(TocMarkup::isDevelopmentVersion(QStringLiteral("a@b c@")));
}

TEST(CurrentReleasesTest, TodaysReleasesAreNamed) {
    EXPECT_EQ(ReleaseVersions::versionNameFor(60000), QStringLiteral("6.0"));
    EXPECT_EQ(ReleaseVersions::versionNameFor(90001), QStringLiteral("9.0"));
    EXPECT_EQ(ReleaseVersions::versionNameFor(120000), QStringLiteral("12.0"));
    EXPECT_EQ(ReleaseVersions::versionNameFor(50500), QStringLiteral("5.5"));
    // Numbers between the table's rows are read as versions.
    EXPECT_EQ(ReleaseVersions::versionNameFor(120100), QStringLiteral("12.1"));
    EXPECT_EQ(ReleaseVersions::versionNameFor(120001), QStringLiteral("12.0.1"));
    EXPECT_EQ(ReleaseVersions::versionNameFor(110207), QStringLiteral("11.2.7"));
    EXPECT_EQ(ReleaseVersions::versionNameFor(11509), QStringLiteral("1.15.9"));
    // The old table still answers as before.
    EXPECT_EQ(ReleaseVersions::versionNameFor(1300), QStringLiteral("1.4.0"));
    EXPECT_EQ(ReleaseVersions::versionNameFor(40000), QStringLiteral("4.0.3"));
    EXPECT_EQ(ReleaseVersions::versionNameFor(1400), QStringLiteral("1400"));
    EXPECT_EQ(ReleaseVersions::getInterfaceVersionName(QStringLiteral("110000")),
              QStringLiteral("11.0"));
    EXPECT_EQ(ReleaseVersions::getInterfaceVersionName(QStringLiteral("120100")),
              QStringLiteral("120100"));

    // Every row is filled: dates in order within each line of the game.
    const auto& table = ReleaseVersions::wowVersions();
    for (const auto& release : table) {
        EXPECT_FALSE(release.version.isEmpty());
        EXPECT_FALSE(release.name.isEmpty());
        EXPECT_EQ(release.date.size(), 10) << release.version.toStdString();
    }
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_LE(table[i - 1].date, table[i].date) << table[i].version.toStdString();
    EXPECT_EQ(table.back().name, QStringLiteral("Midnight"));
}

} // namespace
} // namespace plenfox::client::wow
