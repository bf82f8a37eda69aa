#include "client/model/wow/TocFile.h"
#include "client/model/wow/TocSelector.h"
#include "client/model/wow/ZippedWowAddonPackage.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plenfox::client::wow {
namespace {

namespace fs = std::filesystem;

// "Name:title" per addon, "(other)" when the flavour would not load it.
QStringList described(ZippedWowAddonPackage& package) {
    QStringList result;
    for (int i = 0; i < package.size(); ++i) {
        const auto addon = package.getAddon(i);
        result << addon->getName() + QLatin1Char(':') + addon->getToc()->getTitle() +
                      (addon->isForFlavour() ? QString() : QStringLiteral(" (other)"));
    }
    return result;
}

TEST(FlavourPackageTest, SuffixedTocsMakeOneAddonPerFolder) {
    test::TestEnvironment env;
    const fs::path zip = env.scratch() / "Details.zip";
    test::writeZip(
        zip, {{QStringLiteral("Details/"), {}},
              {QStringLiteral("Details/Details_Mainline.toc"),
               "## Title: |cffffd200Details!|r\n## Version: 1.0\n"},
              {QStringLiteral("Details/details_vanilla.TOC"),
               "## Title: Details Era\n## Version: 1.0\n"},
              {QStringLiteral("Details/Details.lua"), "x"},
              {QStringLiteral("Details_Plugin/Details_Plugin-Classic.toc"), "## Title: Plugin\n"},
              {QStringLiteral("Details_Plugin/Libs/Libs.toc"), "## Title: Libs\n"}});
    ZippedWowAddonPackage retail(zip, TocSelector::mainline());
    EXPECT_TRUE(retail.validate());
    EXPECT_EQ(described(retail), QStringList({QStringLiteral("Details:|cffffd200Details!|r"),
                                              QStringLiteral("Details_Plugin:Plugin (other)")}));
    ZippedWowAddonPackage era(zip, TocSelector::classic(1));
    EXPECT_EQ(described(era), QStringList({QStringLiteral("Details:Details Era"),
                                           QStringLiteral("Details_Plugin:Plugin")}));
    // Without a flavour every addon counts; a plain TOC would come first.
    ZippedWowAddonPackage any(zip);
    EXPECT_EQ(described(any), QStringList({QStringLiteral("Details:|cffffd200Details!|r"),
                                           QStringLiteral("Details_Plugin:Plugin")}));
}

TEST(FlavourPackageTest, APackageWithOnlyAFlavourTocIsAnAddonPackage) {
    test::TestEnvironment env;
    const fs::path zip = env.scratch() / "Questie.zip";
    test::writeZip(zip, {{QStringLiteral("Questie/Questie-Classic.toc"), "## Version: 11.2.1\n"},
                         {QStringLiteral("Questie/Questie.lua"), "x"}});
    ZippedWowAddonPackage package(zip, TocSelector::mainline());
    ASSERT_TRUE(package.validate());
    ASSERT_EQ(package.size(), 1);
    EXPECT_EQ(package.getAddon(0)->getVersionName(), QStringLiteral("11.2.1"));
    EXPECT_FALSE(package.getAddon(0)->isForFlavour());

    // Extraction is unchanged: the whole archive lands in the folder.
    ASSERT_TRUE(package.extractTo(env.scratch() / "AddOns"));
    EXPECT_TRUE(fs::exists(env.scratch() / "AddOns" / "Questie" / "Questie-Classic.toc"));

    // A TOC with an unknown suffix is not the folder's TOC.
    const fs::path odd = env.scratch() / "Odd.zip";
    test::writeZip(odd, {{QStringLiteral("Odd/Odd_Extra.toc"), "## Version: 1\n"}});
    ZippedWowAddonPackage oddPackage(odd, TocSelector::mainline());
    EXPECT_FALSE(oddPackage.validate());
    EXPECT_EQ(oddPackage.size(), 0);
}

} // namespace
} // namespace plenfox::client::wow
