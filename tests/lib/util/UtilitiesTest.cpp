#include "client/model/App.h"
#include "lib/util/Error.h"
#include "lib/util/Escapes.h"
#include "lib/util/FileSystem.h"
#include "lib/util/IndentingPrintWriter.h"
#include "lib/util/Strings.h"
#include "tests/support/TestSupport.h"

#include <QTextStream>
#include <gtest/gtest.h>

#include <chrono>

using plenfox::test::TestEnvironment;
using plenfox::util::IndentingPrintWriter;
namespace fs = std::filesystem;

namespace {

TEST(IndentingPrintWriterTest, IndentsNestedLinesAndNeverGoesBelowZero) {
    QString out;
    QTextStream stream(&out);
    IndentingPrintWriter writer(stream, 2);
    writer.pushTag(QStringLiteral("a"));
    writer.println(QStringLiteral("x"));
    writer.pushTag(QStringLiteral("b"), QStringLiteral("k=\"v\""));
    writer.print(QStringLiteral("y"));
    writer.print(QStringLiteral("z"));
    writer.println();
    writer.popTag(QStringLiteral("b"));
    writer.popTag(QStringLiteral("a"));
    writer.undoIndent();
    writer.println(QStringLiteral("top"));
    writer.pushTag(QString());
    writer.flush();
    EXPECT_EQ(out,
              QStringLiteral(
                  "<a>\r\n  x\r\n  <b k=\"v\">\r\n    yz\r\n  </b>\r\n</a>\r\ntop\r\n<null>\r\n"));
}

TEST(IndentingPrintWriterTest, EmbeddedLineBreaksBecomeIndentedLinesAndTheLastPieceStaysOpen) {
    QString out;
    QTextStream stream(&out);
    IndentingPrintWriter writer(stream, 2);
    writer.indent();
    writer.println(QStringLiteral("one\ntwo"));
    writer.print(QStringLiteral("three\r\nfour"));
    writer.println(QStringLiteral("!"));
    writer.flush();
    EXPECT_EQ(out, QStringLiteral("  one\r\n  two\r\n  three\r\n  four!\r\n"));
}

TEST(EscapesTest, ReplacesTheFiveMarkupCharactersOnly) {
    using plenfox::util::Escapes;
    EXPECT_EQ(Escapes::escapeXml(QStringLiteral("plain text ü")), QStringLiteral("plain text ü"));
    EXPECT_EQ(Escapes::escapeXml(QStringLiteral("a&b<c>d\"e'f&amp;")),
              QStringLiteral("a&amp;b&lt;c&gt;d&quot;e&apos;f&amp;amp;"));
    EXPECT_EQ(Escapes::escapeHtml(QStringLiteral("<&>")), QStringLiteral("&lt;&amp;&gt;"));
}

TEST(StringsTest, TrimRemovesControlCharactersButNotOtherWhiteSpace) {
    using plenfox::util::Strings;
    EXPECT_EQ(Strings::trim(QStringLiteral("\t\x01 a b \r\n")), QStringLiteral("a b"));
    EXPECT_EQ(Strings::trim(QStringLiteral("\u00a0a\u00a0")), QStringLiteral("\u00a0a\u00a0"));
    EXPECT_EQ(Strings::trim(QStringLiteral(" \t ")), QString());
}

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

TEST(AppTest, LogsErrorsWithTheirStackAndCountsThem) {
    TestEnvironment env;
    EXPECT_TRUE(env.logLines().value(0) ==
                QStringLiteral("Plenfox Client [v0.2 beta] starting up"));
    plenfox::client::App::log(plenfox::util::IoError(QStringLiteral("disk gone")));
    plenfox::client::App::log(std::runtime_error("plain"));
    const QStringList lines = env.logLines();
    const QString own = lines.filter(QStringLiteral("IOException")).value(0);
    EXPECT_TRUE(own.startsWith(QStringLiteral("Exception: [IOException: disk gone] [")));
    EXPECT_GT(own.count(QStringLiteral(" [")), 1) << "the call stack is missing";
    EXPECT_TRUE(lines.contains(QStringLiteral("Exception: [plain]")));
    EXPECT_EQ(env.app().getExceptionCount(), 2);
}

TEST(AppTest, CleanUpKeepsTheNewest25LogFilesAndNothingElse) {
    TestEnvironment env;
    const fs::path folder = env.scratch() / "logs";
    const auto now = fs::file_time_type::clock::now();
    for (int i = 0; i < 30; ++i) {
        const fs::path file = folder / ("plenfoxclient" + std::to_string(1000 + i) + ".log");
        plenfox::test::writeFile(file, "log");
        // Names and ages disagree on purpose: age decides.
        fs::last_write_time(file, now - std::chrono::hours(i < 5 ? 100 + i : 30 - i));
    }
    plenfox::test::writeFile(folder / "plenfoxclient1.log.zip", "old bug report");
    plenfox::test::writeFile(folder / "other.log", "other");
    plenfox::client::App::cleanUpOldLogFiles(QString::fromStdU16String(folder.u16string()),
                                             QStringLiteral("p"));
    int remaining = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        remaining += entry.path().extension() == ".log" && entry.path().filename() != "other.log";
    EXPECT_EQ(remaining, 25);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(fs::exists(folder / ("plenfoxclient" + std::to_string(1000 + i) + ".log")));
    EXPECT_TRUE(fs::exists(folder / "plenfoxclient1.log.zip"));
    EXPECT_TRUE(fs::exists(folder / "other.log"));
}

TEST(AppTest, ALogFolderThatCannotBeUsedLeavesTheProgramRunningWithoutALog) {
    TestEnvironment outer;
    const fs::path notAFolder = outer.scratch() / "file";
    plenfox::test::writeFile(notAFolder, "x");
    {
        plenfox::client::App app(QString::fromStdU16String(notAFolder.u16string()));
        EXPECT_TRUE(app.getLogFile().empty());
        plenfox::client::App::log(QStringLiteral("goes nowhere"));
        plenfox::client::App::log(plenfox::util::IoError(QStringLiteral("still counted")));
        EXPECT_EQ(app.getExceptionCount(), 1);
    }
}

} // namespace
