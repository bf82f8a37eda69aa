#include "lib/util/FileSystem.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

using plenfox::test::TestEnvironment;
namespace fs = std::filesystem;

namespace {

TEST(FileSystemTest, DeleteTreeRemovesReadOnlyContentAndAcceptsMissingPaths) {
    TestEnvironment env;
    const fs::path root = env.scratch() / "tree";
    plenfox::test::writeFile(root / "a" / "b" / "file.txt", "x");
    plenfox::test::writeFile(root / "top.txt", "y");
    fs::create_symlink(env.scratch() / "outside", root / "link");
    plenfox::test::writeFile(env.scratch() / "outside" / "keep.txt", "keep");
    fs::permissions(root / "a" / "b" / "file.txt", fs::perms::owner_read);
    fs::permissions(root / "a" / "b", fs::perms::owner_read | fs::perms::owner_exec);

    EXPECT_TRUE(plenfox::util::FileSystem::deleteTree(root));
    EXPECT_FALSE(fs::exists(root));
    EXPECT_TRUE(fs::exists(env.scratch() / "outside" / "keep.txt")) << "a link was followed";
    EXPECT_TRUE(plenfox::util::FileSystem::deleteTree(env.scratch() / "never-there"));
}

TEST(FileSystemTest, DiscardMovesToTheTrashWhereThereIsOneElseDeletes) {
    using Discarded = plenfox::util::FileSystem::Discarded;
    TestEnvironment env;
    plenfox::test::SandboxedHome home(env.scratch() / "home");
    plenfox::test::writeFile(env.scratch() / "stuff" / "file.zip", "zip");
    plenfox::test::writeFile(env.scratch() / "stuff" / "Folder" / "inner.txt", "inner");
    EXPECT_EQ(plenfox::util::FileSystem::discard(env.scratch() / "stuff" / "file.zip"),
              Discarded::Trashed);
    EXPECT_EQ(plenfox::util::FileSystem::discard(env.scratch() / "stuff" / "Folder"),
              Discarded::Trashed);
    EXPECT_TRUE(fs::is_empty(env.scratch() / "stuff"));
    EXPECT_EQ(home.trashed(), QStringList({"Folder", "file.zip"}));
    EXPECT_EQ(plenfox::test::readFile(home.trashFiles() / "Folder" / "inner.txt"), "inner");
    EXPECT_EQ(plenfox::util::FileSystem::discard(env.scratch() / "never-there"),
              Discarded::Deleted);

    // A trash that cannot be made (a file in its place): deleted as before.
    plenfox::test::SandboxedHome noTrash(env.scratch() / "other-home");
    plenfox::test::writeFile(env.scratch() / "other-home" / ".local" / "share" / "Trash", "x");
    plenfox::test::writeFile(env.scratch() / "stuff" / "gone.zip", "zip");
    EXPECT_EQ(plenfox::util::FileSystem::discard(env.scratch() / "stuff" / "gone.zip"),
              Discarded::Deleted);
    EXPECT_FALSE(fs::exists(env.scratch() / "stuff" / "gone.zip"));
    // An account without a data folder has no trash either; none is made.
    plenfox::test::SandboxedHome bare(env.scratch() / "bare-home");
    fs::remove_all(env.scratch() / "bare-home" / ".local");
    plenfox::test::writeFile(env.scratch() / "stuff" / "also.zip", "zip");
    EXPECT_EQ(plenfox::util::FileSystem::discard(env.scratch() / "stuff" / "also.zip"),
              Discarded::Deleted);
    EXPECT_FALSE(fs::exists(env.scratch() / "bare-home" / ".local"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "files")) << "nothing filed in the working folder";
}

TEST(FileSystemTest, ResolvesEachComponentIgnoringCaseAndKeepsTheMissingRest) {
    using plenfox::util::FileSystem;
    TestEnvironment env;
    const fs::path game = env.scratch() / "game";
    fs::create_directories(game / "Interface" / "AddOns" / "Bagnon");
    fs::create_directories(game / "interfacE2");

    EXPECT_EQ(FileSystem::resolveIgnoringCase(game, "interface/addons"),
              game / "Interface" / "AddOns");
    EXPECT_EQ(FileSystem::resolveIgnoringCase(game, "INTERFACE/addons/bagnon/new/x"),
              game / "Interface" / "AddOns" / "Bagnon" / "new" / "x")
        << "the part that does not exist yet is kept as given";
    EXPECT_EQ(FileSystem::resolveIgnoringCase(game / "missing", "Interface"),
              game / "missing" / "Interface");

    // The exact spelling wins where both exist.
    fs::create_directories(game / "interface");
    EXPECT_EQ(FileSystem::resolveIgnoringCase(game, "interface"), game / "interface");
    EXPECT_EQ(FileSystem::findEntryIgnoringCase(game, "INTERFACE2"), game / "interfacE2");
    EXPECT_TRUE(FileSystem::findEntryIgnoringCase(game, "nothing").empty());
}

} // namespace
