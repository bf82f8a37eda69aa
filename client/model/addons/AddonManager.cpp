#include "client/model/addons/AddonManager.h"

#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/Constants.h"
#include "client/model/addons/Addon.h"
#include "client/model/addons/StagingFolder.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/RecognizedItem.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/TocFile.h"
#include "client/model/wow/WowInstallation.h"
#include "client/model/wow/ZippedWowAddonPackage.h"
#include "lib/util/Error.h"
#include "lib/util/FileSystem.h"
#include "lib/util/Paths.h"

#include <QSet>
#include <QUrl>
#include <algorithm>
#include <system_error>

namespace plenfox::client::model {

using util::pathText;

namespace fs = std::filesystem;

namespace {

fs::path child(const fs::path& folder, const QString& name) {
    return folder / name.toStdU16String();
}

// Whether the name can only mean a folder directly inside the addon folder:
// one path component, not "." or "..", no separator or drive colon.
bool isFolderName(const QString& name) {
    if (name.isEmpty() || name == QStringLiteral(".") || name == QStringLiteral(".."))
        return false;
    return !name.contains(u'/') && !name.contains(u'\\') && !name.contains(u':');
}

bool isPresent(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool sameName(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// The lower-case names of the addons the current flavour loads.
QSet<QString> loadedNames(const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons) {
    QSet<QString> names;
    for (const auto& addon : addons)
        if (addon->isForFlavour())
            names.insert(addon->getName().toLower());
    return names;
}

QStringList missingDependencies(const wow::InstalledWowAddon& addon, const QSet<QString>& loaded) {
    const std::shared_ptr<const wow::TocFile> toc = addon.getToc();
    QStringList missing;
    if (!toc)
        return missing;
    for (const QString& name : toc->getRequiredDependencies())
        if (!name.startsWith(QStringLiteral("Blizzard_"), Qt::CaseInsensitive) &&
            !loaded.contains(name.toLower()))
            missing << name;
    return missing;
}

} // namespace

AddonManager::AddonManager() = default;

AddonManager::~AddonManager() = default;

bool AddonManager::initialize(Client& owner) {
    client = &owner;
    if (ClientEventHandler* handler = owner.getEventHandler())
        if (AddonChangeListener* listener = handler->getAddonChangeListener())
            acl.add(0, listener);
    dispatcher = owner.getEventDispatcher().get();
    wow = owner.getWow();
    return true;
}

void AddonManager::listenerReport() {
    App::log(Prefix + QStringLiteral(".listenerReport:"));
    acl.listenerReport();
}

void AddonManager::shutdown(Client&) {}

void AddonManager::add(int priority, AddonChangeListener* listener) {
    acl.add(priority, listener);
}

void AddonManager::post(std::function<void()> task, const QString& description) {
    try {
        if (!dispatcher)
            throw util::IllegalStateError(QStringLiteral("addon manager not initialized"));
        dispatcher->invokeLater(std::move(task), QStringLiteral("AddonManager.") + description);
    } catch (const std::exception& error) {
        App::log(error);
    }
}

void AddonManager::refreshAddons() {
    post([this] { acl.beforeRefresh(*this); }, QStringLiteral("beforeRefresh"));
    {
        std::lock_guard changing(changeLock);
        auto scanned = wow ? wow->addons() : std::vector<std::shared_ptr<wow::InstalledWowAddon>>();
        std::lock_guard guard(lock);
        installed = std::move(scanned);
        loaded = true;
    }
    post([this] { acl.afterRefresh(*this); }, QStringLiteral("afterRefresh"));
}

void AddonManager::refreshAddonsAsync() {
    post([this] { refreshAddons(); }, QStringLiteral("refreshAddons"));
}

std::vector<std::shared_ptr<wow::InstalledWowAddon>> AddonManager::getAddons() const {
    std::lock_guard guard(lock);
    return installed;
}

bool AddonManager::isLoaded() const {
    std::lock_guard guard(lock);
    return loaded;
}

int AddonManager::getAddonsSize() const {
    std::lock_guard guard(lock);
    return static_cast<int>(installed.size());
}

std::shared_ptr<wow::InstalledWowAddon> AddonManager::getAddonByName(const QString& name) const {
    std::lock_guard guard(lock);
    return getAddonByNameLocked(name);
}

std::shared_ptr<wow::InstalledWowAddon>
AddonManager::getAddonByNameLocked(const QString& name) const {
    for (const auto& addon : installed)
        if (sameName(addon->getName(), name))
            return addon;
    return nullptr;
}

bool AddonManager::isInstalled(const QString& name, const QString& version) const {
    return lookupAddon(name, version) != nullptr;
}

std::shared_ptr<wow::InstalledWowAddon> AddonManager::lookupAddon(const QString& name,
                                                                  const QString& version) const {
    std::lock_guard guard(lock);
    std::shared_ptr<wow::InstalledWowAddon> addon = getAddonByNameLocked(name);
    // Exact text: no trimming, no case folding, no numeric reading.
    if (!addon || version.isNull() || addon->getInternalVersion() != version)
        return nullptr;
    return addon;
}

QStringList AddonManager::getMissingDependencies(const wow::InstalledWowAddon& addon) const {
    return missingDependencies(addon, loadedNames(getAddons()));
}

std::vector<QStringList> AddonManager::getMissingDependencies(
    const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons) const {
    const QSet<QString> loaded = loadedNames(getAddons());
    std::vector<QStringList> missing;
    missing.reserve(addons.size());
    for (const auto& addon : addons)
        missing.push_back(addon ? missingDependencies(*addon, loaded) : QStringList());
    return missing;
}

QStringList AddonManager::getDependants(
    const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons) const {
    QStringList dependants;
    for (const auto& other : getAddons()) {
        if (std::find(addons.begin(), addons.end(), other) != addons.end())
            continue;
        const std::shared_ptr<const wow::TocFile> toc = other->getToc();
        const QStringList required = toc ? toc->getRequiredDependencies() : QStringList();
        const bool needsOne = std::any_of(addons.begin(), addons.end(), [&](const auto& addon) {
            return addon && required.contains(addon->getName(), Qt::CaseInsensitive);
        });
        if (needsOne)
            dependants << other->getName();
    }
    return dependants;
}

void AddonManager::install(const std::shared_ptr<wow::ZippedWowAddonPackage>& package) {
    if (!package)
        throw util::IllegalArgumentError(QStringLiteral("null package"));
    if (!wow)
        return;
    wow->initialize();
    if (!wow->exists())
        return;
    package->parse();
    const std::vector<std::shared_ptr<Addon>> packageAddons = package->getAddons();

    const std::optional<fs::path> addonRoot = wow->addonRoot();
    if (!addonRoot)
        return;
    std::error_code error;
    if (!fs::is_directory(*addonRoot, error)) {
        fs::create_directories(*addonRoot, error);
        if (!fs::is_directory(*addonRoot, error)) {
            App::log(Prefix + QStringLiteral(".install: Failed to create directory [") +
                     pathText(*addonRoot) + QLatin1Char(']'));
            return;
        }
    }

    QStringList names;
    for (const auto& addon : packageAddons) {
        if (isFolderName(addon->getName()))
            names << addon->getName();
        else
            App::log(Prefix + QStringLiteral(".install: ignoring addon with unusable name [") +
                     addon->getName() + QLatin1Char(']'));
    }

    const std::unique_ptr<StagingFolder> staging = stage(*package, *addonRoot);
    // One change of the list at a time from the swap to the announcement, so
    // that a refresh never scans folders half swapped and the list and the
    // events follow the order in which the folders changed.
    std::lock_guard changing(changeLock);
    if (!staging || !staging->swapIn(names)) {
        App::log(Prefix + QStringLiteral(".extractTo failed"));
        return;
    }

    std::vector<std::shared_ptr<wow::InstalledWowAddon>> added;
    for (const QString& name : names)
        added.push_back(
            std::make_shared<wow::InstalledWowAddon>(wow, name, child(*addonRoot, name)));

    {
        std::lock_guard guard(lock);
        for (const auto& addon : added) {
            const auto old =
                std::find_if(installed.begin(), installed.end(), [&addon](const auto& entry) {
                    return sameName(entry->getName(), addon->getName());
                });
            if (old != installed.end())
                installed.erase(old);
        }
        installed.insert(installed.end(), added.begin(), added.end());
        std::stable_sort(installed.begin(), installed.end(), [](const auto& a, const auto& b) {
            const int order = QString::compare(a->getName(), b->getName(), Qt::CaseInsensitive);
            return order != 0 ? order < 0 : a->getName() < b->getName();
        });
    }

    if (added.empty())
        return;
    const std::shared_ptr<AddonPackage> announced = package;
    post(
        [this, announced, added] {
            acl.beforePackageInstalled(*this, announced);
            for (const auto& addon : added)
                acl.addonInstalled(*this, addon);
            acl.afterPackageInstalled(*this, announced);
        },
        QStringLiteral("packageInstalled"));
}

void AddonManager::install(const std::shared_ptr<RecognizedItem>& item) {
    if (!item)
        throw util::IllegalArgumentError(QStringLiteral("null recognized item"));
    if (!item->isWowAddon() || !item->beginInstalling())
        return;
    // Ends the installation however the install leaves this scope.
    struct EndInstalling {
        RecognizedItem& item;
        ~EndInstalling() {
            try {
                item.endInstalling();
            } catch (const std::exception& error) {
                App::log(error);
            }
        }
    } bracket{*item};
    install(item->getPackage());
}

std::unique_ptr<StagingFolder> AddonManager::stage(wow::ZippedWowAddonPackage& package,
                                                   const fs::path& addonRoot) {
    // Extracted beside the installed addons, so that a package that fails
    // to extract or to take their place leaves them as they were.
    std::unique_ptr<StagingFolder> staging = StagingFolder::create(addonRoot, Prefix);
    if (!staging || !package.extractTo(staging->content()))
        return nullptr;
    return staging;
}

void AddonManager::removeAddons(
    const std::vector<std::shared_ptr<wow::InstalledWowAddon>>& addons) {
    const std::optional<fs::path> addonRoot = wow ? wow->addonRoot() : std::nullopt;
    std::vector<std::shared_ptr<wow::InstalledWowAddon>> removed;
    App::log(Prefix + QStringLiteral(".removeAddons: removing ") + QString::number(addons.size()));
    for (const auto& addon : addons) {
        if (!addon)
            continue;
        const QString name = addon->getName();
        App::log(Prefix + QStringLiteral(".removeAddons: removing [") + name + QLatin1Char(']'));
        bool found = false;
        {
            std::lock_guard changing(changeLock);
            std::lock_guard guard(lock);
            const auto entry = std::find(installed.begin(), installed.end(), addon);
            if (entry != installed.end()) {
                installed.erase(entry);
                found = true;
            }
        }
        if (addonRoot && isFolderName(name)) {
            const fs::path target = child(*addonRoot, name);
            // To the desktop's trash where there is one: the player may want
            // the folder (and the settings inside it) back.
            if (isPresent(target)) {
                const util::FileSystem::Discarded result = util::FileSystem::discard(target);
                if (result == util::FileSystem::Discarded::Failed)
                    App::log(Prefix + QStringLiteral(".removeAddons: Failed to delete tree ") +
                             pathText(target));
                else if (result == util::FileSystem::Discarded::Trashed)
                    App::log(Prefix + QStringLiteral(".removeAddons: moved to the trash [") +
                             pathText(target) + QLatin1Char(']'));
            }
        }
        if (found)
            removed.push_back(addon);
    }
    post(
        [this, removed] {
            for (const auto& addon : removed)
                acl.addonRemoved(*this, addon);
        },
        QStringLiteral("addonRemoved"));
}

QString AddonManager::getBrowseUrl(const std::shared_ptr<wow::InstalledWowAddon>& addon) const {
    if (!addon)
        throw util::IllegalArgumentError(QStringLiteral("null addon"));
    // The page the update service names for the addon's update comes first,
    // then the page the addon's download came from.
    if (const auto updates = client ? client->getUpdateManager() : nullptr)
        if (const auto available = updates->getUpdate(addon))
            if (const QString url = available->getUpdate()->getDocumentUrl(); !url.isEmpty())
                return url;
    if (const std::shared_ptr<RecognizedItem> download = getContainingDownload(addon)) {
        const QString url = download->getDocumentUrl();
        if (!url.isEmpty())
            return url;
    }
    return getSearchUrl(addon->getName());
}

std::shared_ptr<RecognizedItem>
AddonManager::getContainingDownload(const std::shared_ptr<wow::InstalledWowAddon>& addon) const {
    const auto recognizer = client ? client->getDownloadRecognizer() : nullptr;
    return recognizer ? recognizer->lookup(addon) : nullptr;
}

QString AddonManager::getSearchUrl(const QString& name) {
    // Encoded, so that "&", "#", "+" and blanks in a name stay part of the query.
    return QStringLiteral("https://") + Constants::SearchHost + QStringLiteral("/search?q=") +
           QString::fromLatin1(QUrl::toPercentEncoding(name)) + QStringLiteral("+wow+addon");
}

} // namespace plenfox::client::model
