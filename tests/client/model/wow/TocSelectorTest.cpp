#include "client/model/wow/TocSelector.h"
#include "client/model/wow/WowFlavour.h"
#include "client/model/wow/ZipInfo.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plenfox::client::wow {
namespace {

// The file a client loads from an addon folder "Name", marked "(other)"
// when only another client loads it, "-" when none is the folder's TOC.
QString chosen(const TocSelector& selector, const QStringList& files) {
    const std::optional<TocSelector::Choice> choice =
        selector.choose(QStringLiteral("Name"), files);
    if (!choice)
        return QStringLiteral("-");
    return choice->forFlavour ? choice->fileName : choice->fileName + QStringLiteral(" (other)");
}

const QStringList EveryTable = {
    QStringLiteral("Name.toc"),          QStringLiteral("Name_Mainline.toc"),
    QStringLiteral("Name_Vanilla.toc"),  QStringLiteral("Name_TBC.toc"),
    QStringLiteral("Name_Wrath.toc"),    QStringLiteral("Name_Cata.toc"),
    QStringLiteral("Name_Mists.toc"),    QStringLiteral("Name_Classic.toc"),
    QStringLiteral("Name-Mainline.toc"), QStringLiteral("Name-Classic.toc"),
    QStringLiteral("Name-BCC.toc"),      QStringLiteral("Name-WOTLKC.toc")};

QStringList without(QStringList files, const QStringList& dropped) {
    for (const QString& name : dropped)
        files.removeAll(name);
    return files;
}

TEST(TocSelectorTest, EachClientTakesItsOwnSuffixFirst) {
    const TocSelector retail = TocSelector::mainline();
    EXPECT_EQ(chosen(retail, EveryTable), QStringLiteral("Name_Mainline.toc"));
    for (int major = 1; major <= 5; ++major) {
        static const char* const Own[] = {"",
                                          "Name_Vanilla.toc",
                                          "Name_TBC.toc",
                                          "Name_Wrath.toc",
                                          "Name_Cata.toc",
                                          "Name_Mists.toc"};
        EXPECT_EQ(chosen(TocSelector::classic(major), EveryTable), QString::fromLatin1(Own[major]))
            << major;
    }
    // A classic line the table does not know yet, or no version at all.
    EXPECT_EQ(chosen(TocSelector::classic(6), EveryTable), QStringLiteral("Name_Classic.toc"));
    EXPECT_EQ(chosen(TocSelector::classic(std::nullopt), EveryTable),
              QStringLiteral("Name_Classic.toc"));
}

TEST(TocSelectorTest, FallsBackThroughClassicDashFormsAndPlain) {
    const QStringList noUnderscores = {
        QStringLiteral("Name.toc"), QStringLiteral("Name-Mainline.toc"),
        QStringLiteral("Name-Classic.toc"), QStringLiteral("Name-BCC.toc"),
        QStringLiteral("Name-WOTLKC.toc")};
    EXPECT_EQ(chosen(TocSelector::mainline(), noUnderscores), QStringLiteral("Name-Mainline.toc"));
    EXPECT_EQ(chosen(TocSelector::classic(1), noUnderscores), QStringLiteral("Name-Classic.toc"));
    EXPECT_EQ(chosen(TocSelector::classic(2), noUnderscores), QStringLiteral("Name-BCC.toc"));
    EXPECT_EQ(chosen(TocSelector::classic(3), noUnderscores), QStringLiteral("Name-WOTLKC.toc"));
    // Mists of Pandaria had no dash form: the plain TOC.
    EXPECT_EQ(chosen(TocSelector::classic(5), noUnderscores), QStringLiteral("Name.toc"));
    // "_Classic" comes before any dash form on every classic client.
    EXPECT_EQ(chosen(TocSelector::classic(2),
                     noUnderscores + QStringList{QStringLiteral("Name_Classic.toc")}),
              QStringLiteral("Name_Classic.toc"));
    EXPECT_EQ(chosen(TocSelector::mainline(), {QStringLiteral("Name.toc")}),
              QStringLiteral("Name.toc"));
    // With nothing known, every TOC counts and the plain one comes first.
    EXPECT_EQ(chosen(TocSelector(), EveryTable), QStringLiteral("Name.toc"));
    EXPECT_EQ(chosen(TocSelector(), {QStringLiteral("Name_Mists.toc")}),
              QStringLiteral("Name_Mists.toc"));
}

TEST(TocSelectorTest, OnlyOtherFlavoursTocsAreShownAsForeign) {
    EXPECT_EQ(chosen(TocSelector::mainline(),
                     {QStringLiteral("Name_Vanilla.toc"), QStringLiteral("Name-BCC.toc")}),
              QStringLiteral("Name_Vanilla.toc (other)"));
    EXPECT_EQ(chosen(TocSelector::classic(1), {QStringLiteral("Name_Mainline.toc")}),
              QStringLiteral("Name_Mainline.toc (other)"));
    // The era client does not load the TBC client's dash form.
    EXPECT_EQ(chosen(TocSelector::classic(1), {QStringLiteral("Name-BCC.toc")}),
              QStringLiteral("Name-BCC.toc (other)"));
    EXPECT_EQ(
        chosen(TocSelector::classic(4),
               without(EveryTable, {QStringLiteral("Name.toc"), QStringLiteral("Name_Cata.toc"),
                                    QStringLiteral("Name_Classic.toc")})),
        QStringLiteral("Name_Mainline.toc (other)"));
    // Files that are no TOC of the folder.
    EXPECT_EQ(chosen(TocSelector::mainline(),
                     {QStringLiteral("Other.toc"), QStringLiteral("Name_Extra.toc"),
                      QStringLiteral("Name.toc.bak"), QStringLiteral("Name.lua")}),
              QStringLiteral("-"));
}

TEST(TocSelectorTest, LetterCaseIsIgnoredAndTheFolderSpellingKept) {
    EXPECT_EQ(chosen(TocSelector::mainline(),
                     {QStringLiteral("name.TOC"), QStringLiteral("NAME_mainline.Toc")}),
              QStringLiteral("NAME_mainline.Toc"));
    EXPECT_EQ(chosen(TocSelector::classic(3), {QStringLiteral("nAmE-wotlkc.toc")}),
              QStringLiteral("nAmE-wotlkc.toc"));
    EXPECT_TRUE(
        TocSelector::isTocOf(QStringLiteral("Details"), QStringLiteral("details_MAINLINE.TOC")));
    EXPECT_FALSE(
        TocSelector::isTocOf(QStringLiteral("Details"), QStringLiteral("Details_Plugin.toc")));
    EXPECT_FALSE(TocSelector::isTocOf(QStringLiteral("Details"), QStringLiteral("Detail.toc")));
    EXPECT_FALSE(TocSelector::isTocOf(QStringLiteral("Details"), QStringLiteral(".toc")));
}

TEST(TocSelectorTest, ZipEntriesWithSuffixesAreAddonTocs) {
    EXPECT_TRUE(ZipInfo::isTocFile(QStringLiteral("Details/Details_Mainline.toc")));
    EXPECT_TRUE(ZipInfo::isTocFile(QStringLiteral("Questie/questie-classic.TOC")));
    EXPECT_TRUE(ZipInfo::isTocFile(QStringLiteral("Foo/Foo.toc")));
    EXPECT_FALSE(ZipInfo::isTocFile(QStringLiteral("Foo/Foo_Unknown.toc")));
    EXPECT_FALSE(ZipInfo::isTocFile(QStringLiteral("Foo/Libs/Libs_Mainline.toc")));
    EXPECT_FALSE(ZipInfo::isTocFile(QStringLiteral("Foo_Mainline.toc")));
}

TEST(TocSelectorTest, AFlavourPicksItsSuffixFromItsVersionNotItsFolder) {
    const auto chosenFor = [](const WowFlavour& flavour) {
        return chosen(TocSelector(flavour), EveryTable);
    };
    // "_classic_" follows whatever expansion is current.
    EXPECT_EQ(chosenFor(WowFlavour("/g/_classic_", "_classic_", "/g/_classic_/WowClassic.exe",
                                   "wow_classic", "5.5.2.63000")),
              QStringLiteral("Name_Mists.toc"));
    EXPECT_EQ(chosenFor(WowFlavour("/g/_classic_era_", "_classic_era_", {}, "wow_classic_era",
                                   "1.15.8.63829")),
              QStringLiteral("Name_Vanilla.toc"));
    EXPECT_EQ(chosenFor(WowFlavour("/g/_anniversary_", "_anniversary_", {}, "wow_anniversary",
                                   "2.5.5.64000")),
              QStringLiteral("Name_TBC.toc"));
    // Without ".build.info": the executable says classic, the version is unknown.
    EXPECT_EQ(chosenFor(WowFlavour("/g/_classic_era_", "_classic_era_",
                                   "/g/_classic_era_/WowClassic.exe", QString(), QString())),
              QStringLiteral("Name_Classic.toc"));
    EXPECT_EQ(chosenFor(WowFlavour("/g/_ptr_", "_ptr_", "/g/_ptr_/WowT.exe", "wowt", QString())),
              QStringLiteral("Name_Mainline.toc"));
    // An old-style game folder with "wow.exe" and nothing else known.
    EXPECT_EQ(chosenFor(WowFlavour("/g", QString(), "/g/wow.exe", QString(), QString())),
              QStringLiteral("Name_Mainline.toc"));
}

} // namespace
} // namespace plenfox::client::wow
