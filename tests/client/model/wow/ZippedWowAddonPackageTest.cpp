#include "client/model/wow/ZippedWowAddonPackage.h"
#include "client/model/wow/TocFile.h"
#include "lib/util/Error.h"
#include "lib/util/Paths.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>
#include <map>
#include <thread>

namespace plenfox::client::wow {
namespace {

namespace fs = std::filesystem;
using test::TestEnvironment;

// Fixtures and the tree they were made from: tests/data/zip/make_fixtures.py.
fs::path fixture(const std::string& name) {
    return fs::path(PLENFOX_TEST_DATA_DIR) / "zip" / name;
}

// Every entry below a folder: relative path -> bytes ("<dir>" for folders).
std::map<QString, QByteArray> treeOf(const fs::path& folder) {
    std::map<QString, QByteArray> tree;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        const QString name = plenfox::util::pathText(entry.path().lexically_relative(folder));
        tree[name] =
            entry.is_directory() ? QByteArrayLiteral("<dir>") : test::readFile(entry.path());
    }
    return tree;
}

const QString ExtractPrefix =
    QStringLiteral("class com.plenfox.kesh.client.wow.ZippedWowAddonPackage.extractTo: ");

// The same tree packed by different tools, with and without directory entries.
class ToolArchiveTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ToolArchiveTest, ListsAddonsWithTocsFromTheArchive) {
    TestEnvironment env;
    ZippedWowAddonPackage package(fixture(GetParam()));
    ASSERT_TRUE(package.validate());
    ASSERT_EQ(package.size(), 2);
    EXPECT_EQ(package.getPackageName(), QString::fromLatin1(GetParam()));
    EXPECT_EQ(package.getGame(), SupportedGame::WorldOfWarcraft);

    const auto alpha = package.getAddon(0);
    EXPECT_EQ(alpha->getName(), QStringLiteral("Alpha"));
    EXPECT_EQ(alpha->getToc()->getPath(), QStringLiteral("Alpha/Alpha.toc"));
    EXPECT_EQ(alpha->getToc()->getTitle(), QStringLiteral("Alpha Title")); // BOM dropped
    EXPECT_EQ(alpha->getVersionName(), QStringLiteral("1.2.3"));
    EXPECT_EQ(&alpha->getVersion(), static_cast<const model::AddonVersion*>(alpha.get()));
    EXPECT_THROW(alpha->compareAddonVersions(*alpha), util::UnsupportedOperationError);

    const auto beta = package.getAddon(1); // "Beta/beta.TOC": case differs, still an addon
    EXPECT_EQ(beta->getName(), QStringLiteral("Beta"));
    EXPECT_EQ(beta->getToc()->getTitle(), QStringLiteral("Beta Title"));
    EXPECT_EQ(beta->getVersionName(), QStringLiteral("r42"));

    const auto addons = package.getAddons();
    ASSERT_EQ(addons.size(), 2u);
    EXPECT_EQ(addons[0], std::static_pointer_cast<model::Addon>(alpha));
    EXPECT_THROW(package.getAddon(2), std::out_of_range);
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST_P(ToolArchiveTest, ExtractsByteEqualAndOverwrites) {
    TestEnvironment env;
    const fs::path target = env.scratch() / "AddOns";
    // A stale, longer file must be replaced, not partly overwritten.
    test::writeFile(target / "Alpha" / "Alpha.lua", QByteArray(20000, 'x'));
    ZippedWowAddonPackage package(fixture(GetParam()));
    ASSERT_TRUE(package.extractTo(target));
    EXPECT_EQ(treeOf(target), treeOf(fixture("src")));
    ASSERT_TRUE(package.extractTo(target));
    EXPECT_EQ(treeOf(target), treeOf(fixture("src")));
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

// Test names from a fixture's file name: "infozip-nodirs.zip" -> "infozip_nodirs".
std::string fixtureTestName(const char* file) {
    std::string name = fs::path(file).stem().string();
    std::replace_if(
        name.begin(), name.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolArchiveTest,
                         ::testing::Values("infozip.zip", "infozip-nodirs.zip", "bsdtar.zip",
                                           "python.zip"),
                         [](const auto& info) { return fixtureTestName(info.param); });

TEST(ZippedWowAddonPackageTest, MisshapenPackagesAreNotValid) {
    TestEnvironment env;
    ZippedWowAddonPackage loose(fixture("loose.zip"));
    EXPECT_EQ(loose.size(), 1);
    EXPECT_FALSE(loose.validate());

    ZippedWowAddonPackage topLevelToc(fixture("toplevel-toc.zip"));
    EXPECT_EQ(topLevelToc.size(), 0);
    EXPECT_FALSE(topLevelToc.validate());
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST(ZippedWowAddonPackageTest, UnreadableFilesGiveNoAddonsAndDoNotExtract) {
    TestEnvironment env;
    const fs::path empty = env.scratch() / "empty.zip";
    const fs::path notZip = env.scratch() / "page.zip";
    test::writeFile(empty, {});
    test::writeFile(notZip, "<html>not found</html>");
    const fs::path files[] = {empty, notZip, fixture("truncated.zip"), env.scratch() / "gone.zip"};
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.string());
        ZippedWowAddonPackage package(file);
        EXPECT_EQ(package.size(), 0);
        EXPECT_FALSE(package.validate());
        EXPECT_TRUE(package.getAddons().empty());
        EXPECT_FALSE(package.extractTo(env.scratch() / "out"));
    }
    EXPECT_FALSE(fs::exists(env.scratch() / "out"));
    // Each file is logged once by the scan and once by the extraction.
    EXPECT_EQ(env.app().getExceptionCount(), 8);
    EXPECT_TRUE(env.logContains("Exception: [ZipException: Not a zip archive [" +
                                plenfox::util::pathText(empty) + "]"));
    EXPECT_TRUE(env.logContains(QStringLiteral("Exception: [ZipException: Not a zip archive [")));
    EXPECT_TRUE(env.logContains(QStringLiteral("Exception: [IOException: No such file [")));
}

TEST(ZippedWowAddonPackageTest, CorruptEntryFailsExtraction) {
    TestEnvironment env;
    ZippedWowAddonPackage package(fixture("crc.zip"));
    EXPECT_TRUE(package.validate()); // the TOC itself is intact
    EXPECT_FALSE(package.extractTo(env.scratch()));
    EXPECT_TRUE(
        env.logContains(QStringLiteral("Exception: [ZipException: CRC error [Foo/data.bin]")));
}

TEST(ZippedWowAddonPackageTest, EntryInflatingBeyondItsSizeIsStopped) {
    TestEnvironment env;
    ZippedWowAddonPackage package(fixture("bomb-actual.zip"));
    EXPECT_FALSE(package.extractTo(env.scratch()));
    EXPECT_TRUE(env.logContains(QStringLiteral("more than its declared 1000 bytes [Foo/big.bin]")));
    EXPECT_LE(fs::file_size(env.scratch() / "Foo" / "big.bin"), 1000u);
}

TEST(ZippedWowAddonPackageTest, OversizedPackageIsRefusedBeforeWriting) {
    TestEnvironment env;
    ZippedWowAddonPackage package(fixture("bomb-declared.zip"));
    EXPECT_FALSE(package.extractTo(env.scratch() / "AddOns"));
    EXPECT_TRUE(env.logContains(
        ExtractPrefix +
        "Refusing package [bomb-declared.zip], entries expand to more than [1073741824] bytes"));
    EXPECT_TRUE(treeOf(env.scratch()).empty());
}

// Each hostile archive holds a good "Foo/Foo.toc" followed by the bad entry.
class HostileArchiveTest : public ::testing::TestWithParam<std::pair<std::string, std::string>> {};

TEST_P(HostileArchiveTest, IsRefusedBeforeAnythingIsWritten) {
    TestEnvironment env;
    const auto [archive, reason] = GetParam();
    const fs::path target = env.scratch() / "Game" / "AddOns";
    fs::create_directories(target);
    ZippedWowAddonPackage package(fixture(archive));
    EXPECT_EQ(package.size(), 1);
    EXPECT_FALSE(package.extractTo(target));
    EXPECT_TRUE(env.logContains(ExtractPrefix + "Refusing package [" +
                                QString::fromStdString(archive) + "], " +
                                QString::fromStdString(reason)));
    EXPECT_EQ(treeOf(env.scratch()).size(), 2u) << "only Game and Game/AddOns may exist";
}

INSTANTIATE_TEST_SUITE_P(
    Names, HostileArchiveTest,
    ::testing::Values(std::pair{"evil-parent.zip", "unsafe entry name [../evil]"},
                      std::pair{"evil-absolute.zip", "unsafe entry name [/abs]"},
                      std::pair{"evil-drive.zip", "unsafe entry name [C:/x]"},
                      std::pair{"evil-climb.zip", "unsafe entry name [a/../../b]"},
                      // Stored as "a\\..\\..\\b": the same climb with Windows separators.
                      std::pair{"evil-backslash.zip", "unsafe entry name [a/../../b]"},
                      std::pair{"evil-device.zip", "unsafe entry name [Foo/Aux.lua]"},
                      std::pair{"evil-symlink.zip", "symbolic link entry [Foo/link]"}),
    [](const auto& info) { return fixtureTestName(info.param.first.c_str()); });

TEST(ZippedWowAddonPackageTest, EntryNamesMustStayBelowTheFolder) {
    for (const char* name : {"Foo/Foo.toc", "Foo/", "a/../b", "./a", "..foo", "a/..b/c", "Foo/.x"})
        EXPECT_TRUE(ZippedWowAddonPackage::isSafeEntryName(QString::fromLatin1(name))) << name;
    for (const char* name : {"", "..", "../evil", "/abs", "\\abs", "C:/x", "c:x", "a/../../b",
                             "a\\..\\..\\b", "a/./../..", "...", "a/.. /b", "a/b:stream"})
        EXPECT_FALSE(ZippedWowAddonPackage::isSafeEntryName(QString::fromLatin1(name))) << name;
}

TEST(ZippedWowAddonPackageTest, WindowsDeviceNamesAreRefusedAsAnyComponent) {
    for (const char* name : {"CON", "nul", "Aux.lua", "Foo/prn.txt", "Foo/COM1/x.lua", "lpt9",
                             "Foo/con.tar.gz", "Foo/NUL .lua", "com0"})
        EXPECT_FALSE(ZippedWowAddonPackage::isSafeEntryName(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(ZippedWowAddonPackage::isSafeEntryName(QStringLiteral("Foo/COM\u00B9.lua")));
    // Names that merely begin or end like a device are files like any other.
    for (const char* name : {"Console.lua", "Foo/auxiliary", "COM10", "LPT", "Foo/null.lua", "xcon",
                             "Foo/.con", "CON_/x"})
        EXPECT_TRUE(ZippedWowAddonPackage::isSafeEntryName(QString::fromLatin1(name))) << name;
}

TEST(ZippedWowAddonPackageTest, BackslashSeparatedEntriesAreFolders) {
    TestEnvironment env;
    ZippedWowAddonPackage package(fixture("backslash.zip"));
    ASSERT_TRUE(package.validate());
    ASSERT_EQ(package.size(), 1);
    EXPECT_EQ(package.getAddon(0)->getName(), QStringLiteral("Back"));
    EXPECT_EQ(package.getAddon(0)->getVersionName(), QStringLiteral("7"));

    const fs::path target = env.scratch() / "AddOns";
    ASSERT_TRUE(package.extractTo(target));
    EXPECT_EQ(treeOf(target), (std::map<QString, QByteArray>{
                                  {"Back", "<dir>"},
                                  {"Back/Back.lua", "-- back\n"},
                                  {"Back/Back.toc", "## Title: Back\r\n## Version: 7\r\n"},
                                  {"Back/Libs", "<dir>"},
                                  {"Back/Libs/lib.lua", "-- lib\n"}}));
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST(ZippedWowAddonPackageTest, BlockedTargetsFailWithTheirMessages) {
    TestEnvironment env;
    // The target "folder" is a file, so nothing below it can be created.
    const fs::path blocked = env.scratch() / "blocked";
    test::writeFile(blocked, "file");
    ZippedWowAddonPackage withDirectories(fixture("infozip.zip"));
    EXPECT_FALSE(withDirectories.extractTo(blocked));
    EXPECT_TRUE(env.logContains(ExtractPrefix + "Failed to mkdir [" +
                                plenfox::util::pathText(blocked / "Alpha") + "]"));
    ZippedWowAddonPackage withoutDirectories(fixture("infozip-nodirs.zip"));
    EXPECT_FALSE(withoutDirectories.extractTo(blocked));
    EXPECT_TRUE(env.logContains(ExtractPrefix + "Failed to mkdir parent [" +
                                plenfox::util::pathText(blocked / "Alpha") + "]"));

    // A file entry whose target is an existing directory.
    const fs::path target = env.scratch() / "AddOns";
    fs::create_directories(target / "Alpha" / "Alpha.toc");
    EXPECT_FALSE(withoutDirectories.extractTo(target));
    EXPECT_TRUE(env.logContains(QStringLiteral("Exception: [IOException: ")));
}

TEST(ZippedWowAddonPackageTest, ConcurrentCallersShareOneScan) {
    TestEnvironment env;
    auto package = std::make_shared<ZippedWowAddonPackage>(fixture("python.zip"));
    std::vector<std::vector<std::shared_ptr<model::Addon>>> seen(4);
    std::vector<std::thread> threads;
    for (auto& addons : seen)
        threads.emplace_back([&package, &addons] { addons = package->getAddons(); });
    for (auto& thread : threads)
        thread.join();
    for (const auto& addons : seen)
        EXPECT_EQ(addons, seen[0]);
    EXPECT_EQ(seen[0].size(), 2u);
}

} // namespace
} // namespace plenfox::client::wow
