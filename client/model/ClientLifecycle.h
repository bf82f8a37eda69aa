#pragma once

#include "client/model/BackgroundTasks.h"
#include "client/model/ClientLifetimeListener.h"
#include "client/model/addons/AddonChangeListener.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/updates/EnableUpdatesSetting.h"

#include <QString>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace plenfox::client::wow {
class WowInstallation;
}

namespace plenfox::client::model {

class Client;
class ClientOptions;

// Owns the client for the program's whole run and everything about its life
// that is not a window: the start-up on a thread of its own (scan for the
// game, then initialize), the restart in another game folder, the shutdown in
// order, the removal of old log files, the player's update setting, the bug
// report and the folders the player may open.
//
// It is the client's event handler. It handles the client's lifetime and
// addon events itself first (log lines, the update setting) and then passes
// each on to the view's listeners; the view (the main window) supplies the
// other components' listeners. The view hears on the thread the event comes
// on: the start-up thread or the client's dispatcher thread.
class ClientLifecycle : public ClientEventHandler,
                        public ClientLifetimeListener,
                        public AddonChangeListener {
public:
    // Its log lines have always carried the main window's name, which readers
    // of logs and bug reports search for.
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.ui.MainFrame");

    // What the client is built from; every part has a default for the real
    // program, and tests replace them.
    struct Setup {
        std::function<std::unique_ptr<Client>(ClientEventHandler*)> makeClient;
        // The game installation scanned at start-up, before the client starts.
        std::function<std::unique_ptr<wow::WowInstallation>()> makeScanner;
        // Where the log files are (and the bug report is written).
        std::filesystem::path logFolder;
        // A game folder to start in (given on the command line), as if chosen
        // with "Change WoW folder".
        std::optional<std::filesystem::path> gameFolder;
    };

    // A folder of the client for the player to open, or why there is none.
    struct FolderLookup {
        enum class Problem { None, ClientNotReady, GameNotFound, AddonFolderMissing };
        std::optional<std::filesystem::path> folder;
        Problem problem = Problem::None;
    };

    // What became of a bug report: the zip written, or no log files to pack
    // (a failure is logged and gives neither).
    struct BugReportOutcome {
        std::optional<std::filesystem::path> zip;
        bool noLogFiles = false;
    };

    // Makes the client; nothing runs until start.
    ClientLifecycle(Setup setup, ClientEventHandler& view);
    // Shuts down (nothing is left to do when that was done); waits for the
    // log clean-up.
    ~ClientLifecycle() override;
    ClientLifecycle(const ClientLifecycle&) = delete;
    ClientLifecycle& operator=(const ClientLifecycle&) = delete;

    // Starts the client on the start-up thread (scan for the game, then
    // initialize) and removes old log files on a thread of its own.
    void start();
    // Shuts the client down and starts it again in the given game folder, on
    // the start-up thread; the caller waits for an earlier start-up first.
    void restart(const std::filesystem::path& gameFolder);
    // Shuts the client down and starts it again on the flavour of that
    // folder name, as a restart in another game folder does; the client
    // keeps the choice for later runs.
    void restartOnFlavour(const QString& flavourFolderName);
    // Waits until the start-up thread has ended.
    void joinStartUp();
    // The program is ending: a start-up that has not reached the client's
    // initialization yet stops there. Any thread may ask.
    void requestShutdown();
    bool shutdownRequested() const { return closing; }
    // Ends the client's life: waits for the start-up, then for the background
    // tasks, shuts the client down and waits for the tasks that started
    // meanwhile. Again, it finds nothing left to do.
    void shutdown();

    Client& client() { return *owned; }
    // The client once it has started, else null (also while it restarts).
    Client* readyClient();
    // Why the last start-up failed, in the player's words; null while the
    // client starts or after it started.
    QString startFailure() const;
    BackgroundTasks& backgroundTasks() { return tasks; }
    EnableUpdatesSetting& updatesSetting() { return setting; }
    // Options for a start-up: the chosen game folder, when one is given, and
    // the player's update setting.
    std::shared_ptr<ClientOptions>
    clientOptions(const std::optional<std::filesystem::path>& gameFolder = std::nullopt,
                  const std::optional<QString>& flavour = std::nullopt) const;

    // True on the first run, until the player allowed the queries once: the
    // question is then asked (unless the program is ending).
    bool updatesQuestionDue() const;
    // Keeps the player's answer, refreshes the addons so that update
    // information is fetched or dropped, and writes the setting on the
    // dispatcher thread.
    void setUpdatesEnabled(bool enabled);

    FolderLookup downloadsFolder();
    FolderLookup gameFolder();
    FolderLookup addonFolder();

    // Packs the log files into a zip in the log folder (on the calling thread).
    BugReportOutcome createBugReport();

    // ClientEventHandler
    AddonChangeListener* getAddonChangeListener() override { return this; }
    ClientLifetimeListener* getClientLifetimeListener() override { return this; }
    DownloadListener* getDownloadListener() override;
    DownloadRecognizerListener* getDownloadRecognizerListener() override;
    UpdateListener* getUpdateListener() override;

    // ClientLifetimeListener
    void afterInitialize() override;
    void afterShutdown() override;
    void beforeInitialize() override;
    void beforeShutdown() override;
    void initializeFailed(ClientComponent* component) override;

    // AddonChangeListener
    void addonInstalled(AddonManager& manager,
                        const std::shared_ptr<wow::InstalledWowAddon>& addon) override;
    void addonRemoved(AddonManager& manager,
                      const std::shared_ptr<wow::InstalledWowAddon>& addon) override;
    void afterPackageInstalled(AddonManager& manager,
                               const std::shared_ptr<AddonPackage>& package) override;
    void afterRefresh(AddonManager& manager) override;
    void beforePackageInstalled(AddonManager& manager,
                                const std::shared_ptr<AddonPackage>& package) override;
    void beforeRefresh(AddonManager& manager) override;

private:
    // Starts the start-up thread: scan (or, on a restart, shut down), then
    // initialize unless the program is ending.
    void startClient(const std::optional<std::filesystem::path>& gameFolder, bool restart,
                     const std::optional<QString>& flavour = std::nullopt);
    void applyUpdatesSetting();
    void cleanUpOldLogFiles();
    ClientLifetimeListener* viewLifetime();
    AddonChangeListener* viewAddons();

    Setup setup;
    ClientEventHandler& view;
    std::unique_ptr<Client> owned;
    std::unique_ptr<wow::WowInstallation> scanner;
    EnableUpdatesSetting setting;
    // Declared after the client: its threads end before the client goes.
    BackgroundTasks tasks;
    std::thread startUpThread;
    std::thread cleanUpThread;
    std::atomic<bool> ready{false};
    std::atomic<bool> closing{false};
    mutable std::mutex failureLock; // guards failure
    QString failure;
};

} // namespace plenfox::client::model
