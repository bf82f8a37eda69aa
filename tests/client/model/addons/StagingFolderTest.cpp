#include "client/model/addons/StagingFolder.h"
#include "lib/util/Paths.h"
#include "tests/support/TestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using plenfox::client::model::StagingFolder;
using plenfox::test::readFile;
using plenfox::test::TestEnvironment;
using plenfox::test::writeFile;
namespace fs = std::filesystem;

namespace {

// Every file and folder below the folder with the files' content, sorted.
QStringList contentOf(const fs::path& folder) {
    QStringList entries;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        QString line = plenfox::util::pathText(fs::relative(entry.path(), folder));
        if (entry.is_regular_file())
            line += QLatin1Char('=') + QString::fromUtf8(readFile(entry.path()));
        entries << line;
    }
    entries.sort();
    return entries;
}

class StagingFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        addonRoot = env.scratch() / "AddOns";
        writeFile(addonRoot / "libs" / "Shared.lua", "old shared");
        writeFile(addonRoot / "libs" / "Mine.lua", "mine");
        writeFile(addonRoot / "notes.txt", "old notes");
        writeFile(addonRoot / "Alpha" / "Alpha.toc", "old alpha");
        before = contentOf(addonRoot);
    }

    // A package's extracted content: an addon, a folder that is not one and
    // a loose file.
    void extractInto(const fs::path& content) {
        writeFile(content / "alpha" / "alpha.toc", "new alpha");
        writeFile(content / "Libs" / "Shared.lua", "new shared");
        writeFile(content / "Libs" / "New.lua", "new");
        writeFile(content / "notes.txt", "new notes");
    }

    TestEnvironment env;
    fs::path addonRoot;
    QStringList before;
};

} // namespace

TEST_F(StagingFolderTest, SwapReplacesAddonsMergesOtherFoldersAndLeavesNoTrace) {
    {
        const auto staging = StagingFolder::create(addonRoot, QStringLiteral("P"));
        ASSERT_TRUE(staging);
        extractInto(staging->content());
        EXPECT_TRUE(staging->swapIn({QStringLiteral("alpha")}));
    }
    // The addon replaced whole under the package's spelling; the other folder
    // merged into the player's spelling of it; staging folder and lock gone.
    EXPECT_EQ(
        contentOf(addonRoot),
        QStringList({"alpha", "alpha/alpha.toc=new alpha", "libs", "libs/Mine.lua=mine",
                     "libs/New.lua=new", "libs/Shared.lua=new shared", "notes.txt=new notes"}));
    EXPECT_EQ(env.app().getExceptionCount(), 0);
}

TEST_F(StagingFolderTest, ClashAfterOtherMovesPutsEverythingBack) {
    // Placed last (the rest goes by name): a package file where the player
    // has a folder.
    writeFile(addonRoot / "zz" / "keep.txt", "keep");
    before = contentOf(addonRoot);
    {
        const auto staging = StagingFolder::create(addonRoot, QStringLiteral("P"));
        ASSERT_TRUE(staging);
        extractInto(staging->content());
        writeFile(staging->content() / "zz", "file");
        EXPECT_FALSE(staging->swapIn({QStringLiteral("alpha")}));
    }
    EXPECT_EQ(contentOf(addonRoot), before);
    EXPECT_TRUE(env.logContains(QStringLiteral("P.install: unable to move [")));
}

TEST_F(StagingFolderTest, RenameRefusedByTheFileSystemPutsEverythingBack) {
    // The player's "libs" links to a folder on another file system, where no
    // rename from the addon folder can go: the merge fails after the addon
    // has already been swapped.
    QTemporaryDir elsewhere(QStringLiteral("/dev/shm/plenfox-staging-test-XXXXXX"));
    const fs::path other = plenfox::util::toPath(elsewhere.path());
    if (!elsewhere.isValid())
        GTEST_SKIP() << "no /dev/shm";
    struct stat here {
    }, there{};
    if (::stat(addonRoot.c_str(), &here) != 0 || ::stat(other.c_str(), &there) != 0 ||
        here.st_dev == there.st_dev)
        GTEST_SKIP() << "/dev/shm is on the same file system";
    fs::remove_all(addonRoot / "libs");
    writeFile(other / "Shared.lua", "old shared");
    fs::create_directory_symlink(other, addonRoot / "libs");
    before = contentOf(addonRoot);
    {
        const auto staging = StagingFolder::create(addonRoot, QStringLiteral("P"));
        ASSERT_TRUE(staging);
        extractInto(staging->content());
        EXPECT_FALSE(staging->swapIn({QStringLiteral("alpha")}));
    }
    EXPECT_EQ(contentOf(addonRoot), before);
    EXPECT_EQ(readFile(addonRoot / "Alpha" / "Alpha.toc"), QByteArray("old alpha"));
    EXPECT_EQ(readFile(other / "Shared.lua"), QByteArray("old shared"));
    EXPECT_TRUE(env.logContains(QStringLiteral("P.install: unable to rename [")));
}

TEST_F(StagingFolderTest, EachRunningInstallHasItsOwnFolder) {
    const auto first = StagingFolder::create(addonRoot, QStringLiteral("P"));
    const auto second = StagingFolder::create(addonRoot, QStringLiteral("P"));
    ASSERT_TRUE(first && second);
    // The second install's clean-up left the first one's folder alone.
    EXPECT_NE(first->content(), second->content());
    EXPECT_TRUE(fs::is_directory(first->content()));
    EXPECT_TRUE(fs::is_directory(second->content()));
}
