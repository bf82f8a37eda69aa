#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

namespace plenfox::client {

// The program's command line: "--help", "--version" and "--game-folder PATH".
// Parsing needs no application object, so that these answers come without a
// display; only the help text asks for the application's name.
class CommandLine {
public:
    enum class Action {
        Run,         // start (or hand the command line to the running program)
        ShowHelp,    // print helpText() and end with status 0
        ShowVersion, // print versionText() and end with status 0
        Fail,        // print errorText() and end with UsageError
    };
    static constexpr int UsageError = 2;

    // arguments[0] is the program; a relative game folder is taken from
    // workingFolder, so that the path still holds when handed to another
    // process.
    static CommandLine parse(const QStringList& arguments, const QString& workingFolder);

    Action action() const { return chosen; }
    // The game folder given, absolute; absent when none was given.
    const std::optional<std::filesystem::path>& gameFolder() const { return folder; }
    // The options as another start of the program reads them back: the
    // game folder absolute; empty for no options.
    QStringList handOverArguments() const;
    // What went wrong and how to get help; for standard error.
    const QString& errorText() const { return error; }
    // Needs a QCoreApplication (no display): Qt names the program in it.
    static QString helpText();
    static QString versionText();

private:
    Action chosen = Action::Run;
    std::optional<std::filesystem::path> folder;
    QString error;
};

} // namespace plenfox::client
