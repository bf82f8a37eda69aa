#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace plenfox::platform {
class Registry;
class WinePrefix;
} // namespace plenfox::platform

namespace plenfox::client::wow {

class InstalledWowAddon;

// The game installation the client works on: its folder, found from a folder
// the user chose or detected from the launcher's setup logs, its switcher log
// or the registry, and the addons installed in it. Detection runs once, under
// the object's lock, and never raises: a failed source is logged and the next
// one is tried.
class WowInstallation {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.wow.WowInstallation");
    static inline const QString RegistryKey =
        QStringLiteral("SOFTWARE\\Blizzard Entertainment\\World of Warcraft");
    static inline const QString RegistryValueName = QStringLiteral("InstallPath");

    // Reads an environment variable; absent when it is not set.
    using EnvironmentReader = std::function<std::optional<QString>(const QString& name)>;

    // Uses the process environment and the machine's registry.
    WowInstallation();
    WowInstallation(std::shared_ptr<const platform::Registry> registry,
                    EnvironmentReader environment);
    ~WowInstallation();
    WowInstallation(const WowInstallation&) = delete;
    WowInstallation& operator=(const WowInstallation&) = delete;

    // Runs automatic detection unless the installation is already initialized.
    void initialize();
    void initializeAutomatically();
    // Uses the folder as the game folder, whatever the current state.
    void initializeExplicit(const std::filesystem::path& folder);

    bool exists();
    std::optional<std::filesystem::path> installRoot();
    // installRoot() joined with "interface/addons", letter case ignored: each
    // component is spelled as the existing folder, else as the game spells
    // it ("Interface/AddOns").
    std::optional<std::filesystem::path> addonRoot();
    bool addonRootExists();
    // The addons of the addon folder, in listing order; each has read its TOC.
    std::vector<std::shared_ptr<InstalledWowAddon>> addons();

    // Whether folder/"wow.exe", in any letter case, is a regular file.
    static bool validateWowDirectory(const std::filesystem::path& folder);

private:
    void initializeFromBattleNetAppLogs();
    void initializeFromBattleNetAppLogsInternal();
    bool acceptFromSetupLog(const std::filesystem::path& logFile);
    void initializeFromSwitcherLog();
    void initializeWithRegistry();
    std::optional<QString> programData();

    // Where Windows is absent: the sources above, read inside each of the
    // player's Wine prefixes in turn until one finds the game.
    void initializeFromWinePrefixes();
    void initializeFromWinePrefix(const platform::WinePrefix& prefix, const QString& source);
    // The local path of a path the launcher or the registry recorded;
    // absent when it cannot be mapped (logged).
    std::optional<std::filesystem::path> localPath(const QString& path);

    std::shared_ptr<const platform::Registry> registry;
    EnvironmentReader environment;
    // Maps recorded paths while a Wine prefix is examined; empty otherwise.
    std::function<std::optional<std::filesystem::path>(const QString&)> pathMapper;

    // Re-entrant: exists() and installRoot() run detection under the same lock.
    std::recursive_mutex lock;
    std::optional<std::filesystem::path> root;
    bool initialized = false;
    bool installed = false;
};

} // namespace plenfox::client::wow
