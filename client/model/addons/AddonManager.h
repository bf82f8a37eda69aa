#pragma once

#include "client/model/ClientComponent.h"
#include "client/model/addons/AddonChangeListenerMultiplexer.h"

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace plenfox::client::wow {
class InstalledWowAddon;
class WowInstallation;
class ZippedWowAddonPackage;
} // namespace plenfox::client::wow

namespace plenfox::client::model {

class EventDispatcher;
class RecognizedItem;
class StagingFolder;

// Owns the list of installed addons: fills it from the game's addon folder,
// installs zipped packages, removes addons and answers which addon versions
// are installed. Every change is announced to the listeners through the
// event dispatcher, never on the caller's thread.
class AddonManager : public ClientComponent {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.AddonManager");

    AddonManager();
    ~AddonManager() override;

    bool initialize(Client& client) override;
    void listenerReport() override;
    void shutdown(Client& client) override;

    void add(int priority, AddonChangeListener* listener);

    // Rebuilds the list from disk, in the folder's listing order.
    void refreshAddons();
    // Refreshes on the dispatcher thread.
    void refreshAddonsAsync();

    // The addons of the last completed refresh; empty before the first one.
    std::vector<std::shared_ptr<wow::InstalledWowAddon>> getAddons() const;
    int getAddonsSize() const;
    // Whether a refresh has completed: tells "not listed yet" from "none
    // installed", which both have an empty list.
    bool isLoaded() const;
    // The first addon whose name equals the given one ignoring case, or null.
    std::shared_ptr<wow::InstalledWowAddon> getAddonByName(const QString& name) const;
    // Whether the first addon of that name (ignoring case) has exactly this
    // version text. A null version never matches.
    bool isInstalled(const QString& name, const QString& version) const;
    // That addon when its version text matches exactly, else null.
    std::shared_ptr<wow::InstalledWowAddon> lookupAddon(const QString& name,
                                                        const QString& version) const;

    // The addons this one requires that are not installed for the current
    // flavour, in the order its TOC names them. The game's own addons
    // ("Blizzard_...") are never missing.
    QStringList getMissingDependencies(const wow::InstalledWowAddon& addon) const;
    // The same for each addon of the list, in its order, looked up in one
    // pass over the installed addons.
    std::vector<QStringList> getMissingDependencies(
        const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons) const;
    // The names of the installed addons, other than the given ones, that
    // require one of them, in list order.
    QStringList
    getDependants(const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons) const;

    // Extracts the package into the addon folder, replacing the folders of
    // its addons, and updates the list. Nothing happens when the game is not
    // installed. All or nothing: a package that cannot be extracted or put
    // in place leaves the addon folder and the list as they were, and no
    // event is sent.
    void install(const std::shared_ptr<wow::ZippedWowAddonPackage>& package);
    // Installs the package of a recognized download when it holds addons and
    // no installation of that item is already running; the item shows as
    // installing meanwhile.
    void install(const std::shared_ptr<RecognizedItem>& item);
    // Moves the addons' folders to the desktop's trash (or deletes them where
    // there is none) and removes them from the list.
    void removeAddons(const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons);

    // The recognized download the addon was installed from, or null.
    std::shared_ptr<RecognizedItem>
    getContainingDownload(const std::shared_ptr<wow::InstalledWowAddon>& addon) const;
    // A web page about the addon: the page of the download it came from,
    // else a web search for its name.
    QString getBrowseUrl(const std::shared_ptr<wow::InstalledWowAddon>& addon) const;
    // The web-search address for an addon name, the name percent-encoded.
    static QString getSearchUrl(const QString& name);

    Client* getClient() const { return client; }

private:
    // Hands an event to the dispatcher; a dispatcher that refuses it is logged.
    void post(std::function<void()> task, const QString& description);
    std::shared_ptr<wow::InstalledWowAddon> getAddonByNameLocked(const QString& name) const;
    // Extracts the package into a new staging folder of the addon folder;
    // null, after logging why, when that fails.
    std::unique_ptr<StagingFolder> stage(wow::ZippedWowAddonPackage& package,
                                         const std::filesystem::path& addonRoot);

    Client* client = nullptr;
    AddonChangeListenerMultiplexer acl;
    wow::WowInstallation* wow = nullptr;
    EventDispatcher* dispatcher = nullptr;

    // Serializes the changes of the list (refresh, install from its swap to
    // its announcement, removal); the folder scan runs under it, not under
    // `lock`, so readers never wait for a scan.
    std::mutex changeLock;
    // Re-entrant: lookups are made both from outside and with the lock held.
    // Held only for reading or replacing the list.
    mutable std::recursive_mutex lock;
    std::vector<std::shared_ptr<wow::InstalledWowAddon>> installed;
    bool loaded = false;
};

} // namespace plenfox::client::model
