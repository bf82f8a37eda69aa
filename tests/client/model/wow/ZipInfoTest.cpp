#include "client/model/wow/ZipInfo.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace plenfox::client::wow {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

// Fixtures and the tree they were made from: tests/data/zip/make_fixtures.py.
fs::path fixture(const std::string& name) {
    return fs::path(PLENFOX_TEST_DATA_DIR) / "zip" / name;
}

TEST(ZipInfoTest, TocEntryIsTheTopFoldersNamesake) {
    EXPECT_TRUE(ZipInfo::isTocFile(QStringLiteral("Foo/Foo.toc")));
    EXPECT_TRUE(ZipInfo::isTocFile(QStringLiteral("Foo/foo.TOC")));
    EXPECT_FALSE(ZipInfo::isTocFile(QStringLiteral("Foo.toc")));
    EXPECT_FALSE(ZipInfo::isTocFile(QStringLiteral("Foo/Bar.toc")));
    EXPECT_FALSE(ZipInfo::isTocFile(QStringLiteral("Foo/Libs/Libs.toc")));
    EXPECT_FALSE(ZipInfo::isTocFile(QStringLiteral("Foo/Foo/Foo.toc")));
    EXPECT_FALSE(ZipInfo::isTocFile(QStringLiteral("Foo/Foo.toc.bak")));
    EXPECT_FALSE(ZipInfo::isTocFile(QString()));
}

TEST(ZipInfoTest, ScanSortsEntries) {
    TestEnvironment env;
    auto names = [](const std::vector<ZipInfo::Entry>& entries) {
        QStringList list;
        for (const auto& entry : entries)
            list << entry.name;
        return list;
    };
    ZipInfo info(fixture("infozip.zip"));
    EXPECT_TRUE(info.isReadable());
    EXPECT_EQ(info.getEntries().size(), 10u);
    EXPECT_EQ(names(info.getDirectoryEntries()), QStringList({"Alpha/", "Alpha/Libs/", "Beta/"}));
    EXPECT_EQ(info.getFileEntries().size(), 7u);
    EXPECT_TRUE(info.getFilesInRoot().empty());
    EXPECT_EQ(names(info.getTocFiles()), QStringList({"Alpha/Alpha.toc", "Beta/beta.TOC"}));

    ZipInfo loose(fixture("loose.zip"));
    EXPECT_EQ(names(loose.getFilesInRoot()), QStringList({"README.txt"}));
}

} // namespace
} // namespace plenfox::client::wow
