#pragma once

#include "client/model/App.h"

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>
#include <ostream>

// Lets test failures show texts as texts.
void PrintTo(const QString& text, std::ostream* out);

namespace plenfox::client::model {
class Client;
}
namespace plenfox::client::wow {
class WowInstallation;
}

namespace plenfox::test {

// Gives a test its own App whose log goes to a private folder, and a private
// scratch folder; both vanish with the fixture.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    client::App& app() { return *application; }
    // The log's lines without their time stamp and level.
    QStringList logLines() const;
    // Whether some log line contains the text.
    bool logContains(const QString& text) const;
    // Index of the first log line containing the text, or -1.
    qsizetype logIndexOf(const QString& text) const;
    std::filesystem::path scratch() const;

private:
    QTemporaryDir logFolder;
    QTemporaryDir scratchFolder;
    std::unique_ptr<client::App> application;
};

// Points HOME and XDG_DATA_HOME at a folder of its own for its lifetime, so
// that what a test moves to the desktop's trash lands in a trash of its own;
// puts the earlier values back at the end.
class SandboxedHome {
public:
    explicit SandboxedHome(const std::filesystem::path& folder);
    ~SandboxedHome();
    SandboxedHome(const SandboxedHome&) = delete;
    SandboxedHome& operator=(const SandboxedHome&) = delete;

    // The names of the entries in the trash, sorted.
    QStringList trashed() const;
    std::filesystem::path trashFiles() const;

private:
    std::filesystem::path home;
    QByteArray oldHome;
    QByteArray oldData;
};

// For the whole test program: HOME and XDG_DATA_HOME in a temporary folder,
// so that no test ever reaches the real user's home or trash.
void sandboxHomeForTheRun();

// Writes bytes to a file, creating its folders.
void writeFile(const std::filesystem::path& file, const QByteArray& bytes);
QByteArray readFile(const std::filesystem::path& file);

// Writes a zip file of the given entries (a name ending in "/" is a folder),
// in the order given.
void writeZip(const std::filesystem::path& file,
              const QList<std::pair<QString, QByteArray>>& entries);

// A game installation laid out as players have it today, below `root`
// ("World of Warcraft"): a ".build.info" naming retail 12.1.0, classic era
// 1.15.8 (marked as started last when eraLastActive) and anniversary 2.5.5;
// "_retail_" with Details (only "Details_Mainline.toc", interface numbers
// "120001, 110207", a coloured title) and WeakAuras ("WeakAuras.toc",
// 120001); "_classic_era_" with Questie ("Questie-Classic.toc", 11508);
// "_anniversary_" without addons.
void writeFlavouredInstallation(const std::filesystem::path& root, bool eraLastActive = false);

// Waits until the client's dispatcher and update worker are both idle: every
// event and every piece of worker work has run, including whatever they
// queued in turn, however long such chains are.
void settle(const client::model::Client& client);
// A game installation that finds nothing by itself (empty registry, empty
// environment): only a game folder given in the client's options counts.
std::unique_ptr<client::wow::WowInstallation> undetectedInstallation();

} // namespace plenfox::test
