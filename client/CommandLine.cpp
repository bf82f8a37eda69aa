#include "client/CommandLine.h"

#include "client/model/Constants.h"
#include "lib/util/Paths.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

namespace plenfox::client {

namespace {

const QString GameFolderName = QStringLiteral("game-folder");

// The same options for parsing and for the help text.
class Options {
public:
    Options() {
        parser.setApplicationDescription(
            QStringLiteral("Manages World of Warcraft addons: lists the installed ones, installs\n"
                           "zip packages, finds newer versions and browses addon sites. A second\n"
                           "start hands its command line to the running program, which shows\n"
                           "its window."));
        // Not Qt's help option: it would offer Qt's own options too, which
        // the program does not take.
        parser.addOption(help);
        version = parser.addVersionOption();
        parser.addOption(gameFolder);
    }

    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Displays this help.")};
    QCommandLineOption version{QStringLiteral("version")};
    QCommandLineOption gameFolder{
        GameFolderName,
        QStringLiteral("Use the World of Warcraft folder <path> (the folder that holds the game's "
                       ".exe files), as if chosen with \"Change WoW folder ...\"."),
        QStringLiteral("path")};
};

QString programName(const QStringList& arguments) {
    const QString name = arguments.isEmpty() ? QString() : QFileInfo(arguments.front()).fileName();
    return name.isEmpty() ? QStringLiteral("plenfoxclient") : name;
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments, const QString& workingFolder) {
    CommandLine result;
    Options options;
    const QString program = programName(arguments);
    const auto fail = [&](const QString& problem) {
        result.chosen = Action::Fail;
        result.error = program + QStringLiteral(": ") + problem + QStringLiteral("\nTry '") +
                       program + QStringLiteral(" --help' for more information.\n");
        return result;
    };
    // Without a program name the parser would take the first option for it.
    const QStringList withProgram =
        arguments.isEmpty() ? QStringList{QStringLiteral("plenfoxclient")} : arguments;
    if (!options.parser.parse(withProgram))
        return fail(options.parser.errorText());
    if (!options.parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("unexpected argument '") +
                    options.parser.positionalArguments().front() + QLatin1Char('\''));
    if (options.parser.isSet(options.help)) {
        result.chosen = Action::ShowHelp;
        return result;
    }
    if (options.parser.isSet(options.version)) {
        result.chosen = Action::ShowVersion;
        return result;
    }
    const QStringList folders = options.parser.values(options.gameFolder);
    if (folders.size() > 1)
        return fail(QStringLiteral("--game-folder given more than once"));
    if (!folders.isEmpty()) {
        if (folders.front().isEmpty())
            return fail(QStringLiteral("--game-folder needs a folder"));
        const QFileInfo folder(QDir(workingFolder), folders.front());
        if (!folder.isDir())
            return fail(QStringLiteral("--game-folder: no such folder [") +
                        folder.absoluteFilePath() + QLatin1Char(']'));
        result.folder = util::toPath(QDir::cleanPath(folder.absoluteFilePath()));
    }
    return result;
}

QStringList CommandLine::handOverArguments() const {
    if (!folder)
        return {};
    return {QStringLiteral("--") + GameFolderName, util::pathText(*folder)};
}

QString CommandLine::helpText() {
    Options options;
    return options.parser.helpText();
}

QString CommandLine::versionText() {
    return Constants::ProgramTitle + QLatin1Char('\n');
}

} // namespace plenfox::client
