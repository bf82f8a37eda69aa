// The program's command line: what each option chooses, what is refused and
// how, and what a later start hands to the running one.
#include "client/CommandLine.h"

#include "lib/util/Paths.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace plenfox::test {
namespace {

using client::CommandLine;
using Action = CommandLine::Action;
namespace fs = std::filesystem;

CommandLine parse(QStringList options, const QString& workingFolder = QDir::currentPath()) {
    options.prepend(QStringLiteral("/usr/bin/plenfoxclient"));
    return CommandLine::parse(options, workingFolder);
}

TEST(CommandLine, NoOptionsRunsWithoutAGameFolder) {
    const CommandLine command = parse({});
    EXPECT_EQ(command.action(), Action::Run);
    EXPECT_FALSE(command.gameFolder());
    EXPECT_TRUE(command.handOverArguments().isEmpty());
    // Even without the program's own name.
    EXPECT_EQ(CommandLine::parse({}, QDir::currentPath()).action(), Action::Run);
}

TEST(CommandLine, HelpAndVersionAnswerWhateverElseIsGiven) {
    for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")})
        EXPECT_EQ(parse({help}).action(), Action::ShowHelp) << help.toStdString();
    for (const QString& version : {QStringLiteral("--version"), QStringLiteral("-v")})
        EXPECT_EQ(parse({version}).action(), Action::ShowVersion) << version.toStdString();
    EXPECT_EQ(parse({QStringLiteral("--game-folder"), QStringLiteral("/no/such/folder"),
                     QStringLiteral("--version")})
                  .action(),
              Action::ShowVersion);

    EXPECT_EQ(CommandLine::versionText(), QStringLiteral("Plenfox Client v0.2 beta\n"));
    const QString help = CommandLine::helpText();
    for (const char* option : {"--help", "--version", "--game-folder <path>"})
        EXPECT_TRUE(help.contains(QLatin1String(option))) << option << "\n" << help.toStdString();
    EXPECT_FALSE(help.contains(QLatin1String("--help-all"))) << help.toStdString();
}

TEST(CommandLine, WrongUseIsRefusedWithTheReasonAndWhereToGetHelp) {
    struct Case {
        QStringList options;
        const char* reason;
    };
    QTemporaryDir folder;
    const std::vector<Case> cases = {
        {{QStringLiteral("--frobnicate")}, "Unknown option 'frobnicate'"},
        {{QStringLiteral("-x")}, "Unknown option 'x'"},
        {{QStringLiteral("--help-all")}, "Unknown option 'help-all'"},
        {{QStringLiteral("stray")}, "unexpected argument 'stray'"},
        {{QStringLiteral("--game-folder")}, "Missing value after '--game-folder'"},
        {{QStringLiteral("--game-folder=")}, "--game-folder needs a folder"},
        {{QStringLiteral("--game-folder"), folder.filePath(QStringLiteral("gone"))},
         "--game-folder: no such folder ["},
        {{QStringLiteral("--game-folder"), folder.path(), QStringLiteral("--game-folder"),
          folder.path()},
         "--game-folder given more than once"},
    };
    for (const Case& wrong : cases) {
        const CommandLine command = parse(wrong.options);
        EXPECT_EQ(command.action(), Action::Fail) << wrong.reason;
        EXPECT_TRUE(command.errorText().startsWith(QStringLiteral("plenfoxclient: ")))
            << command.errorText().toStdString();
        EXPECT_TRUE(command.errorText().contains(QLatin1String(wrong.reason)))
            << command.errorText().toStdString();
        EXPECT_TRUE(command.errorText().contains(QStringLiteral("'plenfoxclient --help'")));
        EXPECT_FALSE(command.gameFolder());
    }
    EXPECT_EQ(CommandLine::UsageError, 2);
}

TEST(CommandLine, GameFolderIsMadeAbsoluteAndHandedOverSo) {
    QTemporaryDir working;
    ASSERT_TRUE(QDir(working.path()).mkpath(QStringLiteral("World of Warcraft/Interface")));
    const fs::path expected = util::toPath(working.filePath(QStringLiteral("World of Warcraft")));

    const CommandLine relative =
        parse({QStringLiteral("--game-folder"), QStringLiteral("World of Warcraft/Interface/..")},
              working.path());
    ASSERT_EQ(relative.action(), Action::Run) << relative.errorText().toStdString();
    ASSERT_TRUE(relative.gameFolder());
    EXPECT_EQ(*relative.gameFolder(), expected);

    const CommandLine joined =
        parse({QStringLiteral("--game-folder=") + util::pathText(expected)}, QStringLiteral("/"));
    ASSERT_TRUE(joined.gameFolder());
    EXPECT_EQ(*joined.gameFolder(), expected);

    // The running program reads what a later start hands over, from
    // whatever folder it was started in.
    const QStringList handed = relative.handOverArguments();
    EXPECT_EQ(handed, (QStringList{QStringLiteral("--game-folder"), util::pathText(expected)}));
    const CommandLine received = parse(handed, QStringLiteral("/"));
    ASSERT_TRUE(received.gameFolder());
    EXPECT_EQ(*received.gameFolder(), expected);
}

} // namespace
} // namespace plenfox::test
