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
