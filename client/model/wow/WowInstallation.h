#pragma once

#include "client/model/wow/TocSelector.h"
#include "client/model/wow/WowFlavour.h"

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
//
// An installation is a root holding one or more flavours, each a game client
// in a folder of its own ("_retail_", "_classic_era_", ...), or, as games
// were laid out before, one game folder that is its own only flavour. A
// path found or chosen may name the root, a flavour folder or an old-style
// game folder. The client works on one flavour at a time: its addon folder
// is the installation's addon folder.
class WowInstallation {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.wow.WowInstallation");
    static inline const QString RegistryKey =
        QStringLiteral("SOFTWARE\\Blizzard Entertainment\\World of Warcraft");
    static inline const QString RegistryValueName = QStringLiteral("InstallPath");
    // The game's entry in Windows' list of installed programs.
    static inline const QString UninstallKey = QStringLiteral(
        "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\World of Warcraft");
    static inline const QString UninstallValueName = QStringLiteral("InstallLocation");

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
    // Whether detection (automatic or explicit) has run.
    bool isInitialized();
    // The installation's root; for a path that was never found on disk, that
    // path as given.
    std::optional<std::filesystem::path> installRoot();
    // The current flavour's folder, else installRoot().
    std::optional<std::filesystem::path> gameFolder();
    // gameFolder() joined with "interface/addons", letter case ignored: each
    // component is spelled as the existing folder, else as the game spells
    // it ("Interface/AddOns").
    std::optional<std::filesystem::path> addonRoot();

    // The game clients of the installation, the known ones in the order
    // retail, PTR, ..., classic, ..., others by name; empty when the game
    // is not installed.
    std::vector<WowFlavour> flavours();
    // The flavour the client works on; absent when the game is not installed.
    std::optional<WowFlavour> currentFlavour();
    // Makes the flavour of that folder name (ignoring case; "" for an
    // old-style game folder) the current one; false, and nothing changes,
    // when there is none.
    bool selectFlavour(const QString& folderName);
    // The flavour folder the path that was found or chosen named, if any.
    std::optional<QString> namedFlavour();
    // Reads the root's flavours again; the current one stays when it is
    // still there.
    void refreshFlavours();
    // Which TOC files the current flavour loads; without one, any TOC counts.
    TocSelector tocSelector();
    bool addonRootExists();
    // The addons of the addon folder, in listing order; each has read its TOC.
    std::vector<std::shared_ptr<InstalledWowAddon>> addons();

    // Whether the folder holds one of the game's executables (any letter
    // case), or is the root of an installation with flavour folders.
    static bool validateWowDirectory(const std::filesystem::path& folder);

private:
    void initializeFromBattleNetAppLogs();
    void initializeFromBattleNetAppLogsInternal();
    bool acceptFromSetupLog(const std::filesystem::path& logFile);
    void initializeFromSwitcherLog();
    // The Blizzard key's "InstallPath", else the uninstall key's
    // "InstallLocation"; the registry reads both views of a 64-bit system.
    void initializeWithRegistry();
    void initializeFromRegistryValue(const QString& key, const QString& valueName, bool first);
    std::optional<QString> programData();

    // Where Windows is absent: the sources above, read inside each of the
    // player's Wine prefixes in turn until one finds the game.
    void initializeFromWinePrefixes();
    void initializeFromWinePrefix(const platform::WinePrefix& prefix, const QString& source);
    // The local path of a path the launcher or the registry recorded;
    // absent when it cannot be mapped (logged).
    std::optional<std::filesystem::path> localPath(const QString& path);

    // After the game was found at `path`: the installation's root, its
    // flavours and the current one (the flavour the path named when it was
    // chosen by hand, else the default).
    // Takes the path by value: it is often the root itself, which this replaces.
    void discoverLayout(std::filesystem::path path, bool chosen);
    void readFlavours();
    // The flavour the launcher started last, else retail, else the first.
    std::optional<std::size_t> defaultFlavour() const;
    std::optional<std::size_t> findFlavour(const QString& folderName) const;

    std::shared_ptr<const platform::Registry> registry;
    EnvironmentReader environment;
    // Maps recorded paths while a Wine prefix is examined; empty otherwise.
    std::function<std::optional<std::filesystem::path>(const QString&)> pathMapper;

    // Re-entrant: exists() and installRoot() run detection under the same lock.
    std::recursive_mutex lock;
    std::optional<std::filesystem::path> root;
    bool initialized = false;
    bool installed = false;
    std::vector<WowFlavour> flavourList;
    std::optional<std::size_t> current;
    std::optional<QString> pointedFlavour;
    // The product ".build.info" marks as started last.
    std::optional<QString> lastActive;
};

} // namespace plenfox::client::wow
