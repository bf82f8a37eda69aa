#include "client/model/wow/BuildInfo.h"
#include "client/model/wow/WowFlavour.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plenfox::client::wow {
namespace {

TEST(BuildInfoTest, ColumnsAreFoundByNameInAnyOrder) {
    // The header of an older launcher: fewer columns, another order.
    const BuildInfo older = BuildInfo::parse(
        QStringLiteral("Branch!STRING:0|Active!DEC:1|Build Key!HEX:16|CDN Key!HEX:16|Install "
                       "Key!HEX:16|IM Size!DEC:4|CDN Path!STRING:0|CDN Hosts!STRING:0|CDN "
                       "Servers!STRING:0|Tags!STRING:0|Armadillo!STRING:0|Last "
                       "Activated!STRING:0|Version!STRING:0|Product!STRING:0\r\n"
                       "us|1|a|b|c||tpr/wow|h|s|t||0|8.1.5.30706|wow\r\n"));
    EXPECT_TRUE(older.problems().isEmpty());
    ASSERT_EQ(older.rows().size(), 1u);
    EXPECT_EQ(BuildInfo::value(older.rows()[0], QStringLiteral("Version")),
              QStringLiteral("8.1.5.30706"));
    EXPECT_EQ(BuildInfo::value(older.rows()[0], QStringLiteral("product")), QStringLiteral("wow"));
    EXPECT_TRUE(BuildInfo::value(older.rows()[0], QStringLiteral("KeyRing")).isNull());

    const BuildInfo newer = BuildInfo::parse(
        QStringLiteral("Product!STRING:0|KeyRing!HEX:16|Version!STRING:0|Last Activated!STRING:0\n"
                       "\n"
                       "wow_classic_era|00|1.15.8.63829|0\n"
                       "wow| ff |12.1.0.69382|1\n"
                       "wow_anniversary||2.5.5.64000|\n"));
    EXPECT_TRUE(newer.problems().isEmpty());
    ASSERT_EQ(newer.rows().size(), 3u);
    const std::optional<BuildInfo::Row> retail = newer.productRow(QStringLiteral("WOW"));
    ASSERT_TRUE(retail);
    EXPECT_EQ(BuildInfo::value(*retail, QStringLiteral("Version")), QStringLiteral("12.1.0.69382"));
    EXPECT_EQ(BuildInfo::value(*retail, QStringLiteral("KeyRing")), QStringLiteral("ff"));
    EXPECT_EQ(newer.lastActivatedProduct(), QStringLiteral("wow"));
    EXPECT_FALSE(newer.productRow(QStringLiteral("wowt")));
}

TEST(BuildInfoTest, LastActivatedComparesNumbersAsNumbers) {
    const BuildInfo info =
        BuildInfo::parse(QStringLiteral("Product!STRING:0|Last Activated!STRING:0\n"
                                        "wow|900\nwow_classic_era|1000\nwow_anniversary|0\n"));
    EXPECT_EQ(info.lastActivatedProduct(), QStringLiteral("wow_classic_era"));
    const BuildInfo none = BuildInfo::parse(
        QStringLiteral("Product!STRING:0|Last Activated!STRING:0\nwow|0\nwowt|\n"));
    EXPECT_FALSE(none.lastActivatedProduct());
    const BuildInfo noColumn = BuildInfo::parse(QStringLiteral("Product!STRING:0\nwow\n"));
    EXPECT_FALSE(noColumn.lastActivatedProduct());
}

TEST(BuildInfoTest, MalformedFilesAreDescribedAndKeepWhatFits) {
    const BuildInfo shortRow = BuildInfo::parse(
        QStringLiteral("Product!STRING:0|Version!STRING:0\nwow|12.1.0.1\nwow_classic\nwowt|1|2\n"));
    ASSERT_EQ(shortRow.rows().size(), 1u);
    ASSERT_EQ(shortRow.problems().size(), 2);
    EXPECT_EQ(shortRow.problems()[0], QStringLiteral("line 3 has 1 fields, the header 2"));

    EXPECT_EQ(BuildInfo::parse(QString()).problems(),
              QStringList({QStringLiteral("no header line")}));
    const BuildInfo noTypes = BuildInfo::parse(QStringLiteral("wow|12.1.0\n"));
    EXPECT_TRUE(noTypes.rows().empty());
    EXPECT_TRUE(
        noTypes.problems()[0].startsWith(QStringLiteral("header line without column types")));
    const BuildInfo noProduct = BuildInfo::parse(QStringLiteral("Version!STRING:0\n12.1.0\n"));
    EXPECT_TRUE(noProduct.rows().empty());
    EXPECT_EQ(noProduct.problems(), QStringList({QStringLiteral("no Product column")}));
}

TEST(BuildInfoTest, ReadsFilesWithAByteOrderMarkAndRefusesHugeOnes) {
    test::TestEnvironment env;
    EXPECT_FALSE(BuildInfo::read(env.scratch() / "missing"));
    test::writeFile(env.scratch() / "bom",
                    "\xEF\xBB\xBFProduct!STRING:0|Version!STRING:0\nwow|1.2.3.4\n");
    const std::optional<BuildInfo> bom = BuildInfo::read(env.scratch() / "bom");
    ASSERT_TRUE(bom);
    EXPECT_TRUE(bom->hasColumn(QStringLiteral("Product")));
    EXPECT_EQ(bom->rows().size(), 1u);
    test::writeFile(env.scratch() / "huge", QByteArray(BuildInfo::MaxFileSize + 1, 'x'));
    const std::optional<BuildInfo> huge = BuildInfo::read(env.scratch() / "huge");
    ASSERT_TRUE(huge);
    EXPECT_TRUE(huge->rows().empty());
    EXPECT_EQ(huge->problems().size(), 1);
}

TEST(WowFlavourTest, NamesVersionsAndInterfaceNumbers) {
    const WowFlavour retail("/g/_retail_", "_retail_", "/g/_retail_/Wow.exe", "wow",
                            "12.1.0.69382");
    EXPECT_EQ(retail.displayName(), QStringLiteral("Retail"));
    EXPECT_EQ(retail.label(), QStringLiteral("Retail 12.1.0.69382"));
    EXPECT_EQ(retail.interfaceNumber(), 120100);
    EXPECT_EQ(retail.majorVersion(), 12);
    EXPECT_FALSE(retail.isClassic());

    const WowFlavour era("/g/_classic_era_", "_classic_era_", {}, "wow_classic_era",
                         "1.15.8.63829");
    EXPECT_EQ(era.displayName(), QStringLiteral("Classic Era"));
    EXPECT_EQ(era.interfaceNumber(), 11508);
    EXPECT_TRUE(era.isClassic());

    // Unknown flavours are named after their folder; an old-style folder
    // after the game.
    const WowFlavour future("/g/_classic_titan_", "_classic_titan_",
                            "/g/_classic_titan_/WowClassic.exe", QString(), QString());
    EXPECT_EQ(future.displayName(), QStringLiteral("Classic Titan"));
    EXPECT_EQ(future.label(), QStringLiteral("Classic Titan"));
    EXPECT_FALSE(future.interfaceNumber());
    EXPECT_TRUE(future.isClassic());
    EXPECT_EQ(WowFlavour("/g", QString(), "/g/wow.exe", QString(), QString()).displayName(),
              QStringLiteral("World of Warcraft"));
    EXPECT_FALSE(WowFlavour({}, {}, {}, {}, QStringLiteral("12.x.0")).interfaceNumber());
    EXPECT_FALSE(WowFlavour({}, {}, {}, {}, QStringLiteral("12.100.0")).interfaceNumber());

    EXPECT_TRUE(WowFlavour::isFlavourFolderName(QStringLiteral("_xptr_")));
    EXPECT_FALSE(WowFlavour::isFlavourFolderName(QStringLiteral("__")));
    EXPECT_FALSE(WowFlavour::isFlavourFolderName(QStringLiteral("___")));
    EXPECT_FALSE(WowFlavour::isFlavourFolderName(QStringLiteral("_retail")));
    EXPECT_FALSE(WowFlavour::isFlavourFolderName(QStringLiteral("Interface")));
}

} // namespace
} // namespace plenfox::client::wow
