#include "client/model/ClientLifecycle.h"

#include "client/model/App.h"
#include "client/model/BugReport.h"
#include "client/model/Client.h"
#include "client/model/ClientComponent.h"
#include "client/model/ClientOptions.h"
#include "client/model/ClientRepository.h"
#include "client/model/Constants.h"
#include "client/model/ServiceHost.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/wow/InstalledWowAddon.h"
#include "client/model/wow/WowInstallation.h"
#include "lib/util/Object.h"
#include "lib/util/Paths.h"

#include <exception>

namespace plenfox::client::model {

namespace fs = std::filesystem;

namespace {

std::unique_ptr<Client> defaultClient(ClientEventHandler* handler) {
    return std::make_unique<Client>(handler);
}

std::unique_ptr<wow::WowInstallation> defaultScanner() {
    return std::make_unique<wow::WowInstallation>();
}

} // namespace

ClientLifecycle::ClientLifecycle(Setup givenSetup, ClientEventHandler& view)
    : setup(std::move(givenSetup)), view(view) {
    if (!setup.makeClient)
        setup.makeClient = defaultClient;
    if (!setup.makeScanner)
        setup.makeScanner = defaultScanner;
    if (setup.logFolder.empty())
        setup.logFolder = util::toPath(App::temporaryFolder());
    owned = setup.makeClient(this);
}

ClientLifecycle::~ClientLifecycle() {
    shutdown();
    if (cleanUpThread.joinable())
        cleanUpThread.join();
}

// --- start-up and shutdown ----------------------------------------------

void ClientLifecycle::start() {
    // A run whose service was moved to another port says so.
    if (Constants::HttpHost != QStringLiteral(PLENFOX_HTTP_HOST) ||
        Constants::WebSiteHost != QStringLiteral(PLENFOX_WEB_HOST))
        App::log(QStringLiteral("Update service [") + Constants::HttpHost +
                 QStringLiteral("] and web site [") + Constants::WebSiteHost +
                 QStringLiteral("]: port from ") + QString::fromLatin1(ServiceHost::PortVariable));
    scanner = setup.makeScanner();
    startClient(setup.gameFolder, false);
    cleanUpThread = std::thread([this] { cleanUpOldLogFiles(); });
}

void ClientLifecycle::restart(const fs::path& gameFolder) {
    startClient(gameFolder, true);
}

void ClientLifecycle::restartOnFlavour(const QString& flavourFolderName) {
    startClient(std::nullopt, true, flavourFolderName);
}

void ClientLifecycle::startClient(const std::optional<fs::path>& gameFolder, bool restart,
                                  const std::optional<QString>& flavour) {
    ready = false;
    joinStartUp();
    {
        std::lock_guard guard(failureLock);
        failure = QString();
    }
    startUpThread = std::thread([this, gameFolder, restart, flavour] {
        try {
            if (restart) {
                owned->shutdown();
            } else {
                // The launcher's logs, the switcher log, then the registry.
                scanner->initialize();
            }
        } catch (const std::exception& error) {
            App::log(error);
        }
        if (closing)
            return;
        try {
            owned->initialize(clientOptions(gameFolder, flavour));
        } catch (const std::exception& error) {
            // A start-up that throws has failed like one a component refused.
            App::log(error);
            initializeFailed(nullptr);
        }
    });
}

void ClientLifecycle::joinStartUp() {
    if (startUpThread.joinable())
        startUpThread.join();
}

void ClientLifecycle::requestShutdown() {
    closing = true;
}

void ClientLifecycle::shutdown() {
    closing = true;
    joinStartUp();
    tasks.joinAll();
    owned->shutdown();
    // Tasks the shutdown's last events started.
    tasks.joinAll();
}

Client* ClientLifecycle::readyClient() {
    return ready ? owned.get() : nullptr;
}

QString ClientLifecycle::startFailure() const {
    std::lock_guard guard(failureLock);
    return failure;
}

std::shared_ptr<ClientOptions>
ClientLifecycle::clientOptions(const std::optional<fs::path>& gameFolder,
                               const std::optional<QString>& flavour) const {
    auto options = std::make_shared<ClientOptions>();
    if (gameFolder)
        options->setWowFolder(*gameFolder);
    if (flavour)
        options->setFlavour(*flavour);
    options->setUpdatesEnabled(setting.enabled());
    return options;
}

// --- the client's events ----------------------------------------------------

DownloadListener* ClientLifecycle::getDownloadListener() {
    return view.getDownloadListener();
}

DownloadRecognizerListener* ClientLifecycle::getDownloadRecognizerListener() {
    return view.getDownloadRecognizerListener();
}

UpdateListener* ClientLifecycle::getUpdateListener() {
    return view.getUpdateListener();
}

ClientLifetimeListener* ClientLifecycle::viewLifetime() {
    return view.getClientLifetimeListener();
}

AddonChangeListener* ClientLifecycle::viewAddons() {
    return view.getAddonChangeListener();
}

void ClientLifecycle::beforeInitialize() {
    if (ClientLifetimeListener* listener = viewLifetime())
        listener->beforeInitialize();
}

void ClientLifecycle::afterInitialize() {
    App::log(QStringLiteral("Initialized client"));
    const bool startedWithUpdates = owned->getOptions()->getUpdatesEnabled();
    setting.initialize(*owned);
    // The client started before the player's choice was read: when it
    // allows updates, check again now that the options say so.
    if (setting.enabled() && !startedWithUpdates) {
        if (const auto manager = owned->getAddonManager())
            manager->refreshAddonsAsync();
    }
    // Before the view hears: what it posts to its own thread may act on the
    // client at once.
    ready = true;
    if (ClientLifetimeListener* listener = viewLifetime())
        listener->afterInitialize();
}

void ClientLifecycle::initializeFailed(ClientComponent* component) {
    App::log(QStringLiteral("Failed to initialize component: ") + util::textOf(component));
    QString reason = component ? component->failureReason() : QString();
    if (reason.isEmpty())
        reason = component ? QStringLiteral("the part [") + util::textOf(component) +
                                 QStringLiteral("] could not start")
                           : QStringLiteral("an unexpected error stopped the start-up");
    {
        std::lock_guard guard(failureLock);
        failure = reason;
    }
    if (ClientLifetimeListener* listener = viewLifetime())
        listener->initializeFailed(component);
}

void ClientLifecycle::beforeShutdown() {
    App::log(QStringLiteral("Shutting down client"));
    if (ClientLifetimeListener* listener = viewLifetime())
        listener->beforeShutdown();
}

void ClientLifecycle::afterShutdown() {
    App::log(QStringLiteral("Successfully shut down client"));
    if (ClientLifetimeListener* listener = viewLifetime())
        listener->afterShutdown();
}

void ClientLifecycle::addonInstalled(AddonManager& manager,
                                     const std::shared_ptr<wow::InstalledWowAddon>& addon) {
    if (AddonChangeListener* listener = viewAddons())
        listener->addonInstalled(manager, addon);
}

void ClientLifecycle::addonRemoved(AddonManager& manager,
                                   const std::shared_ptr<wow::InstalledWowAddon>& addon) {
    if (AddonChangeListener* listener = viewAddons())
        listener->addonRemoved(manager, addon);
}

void ClientLifecycle::afterPackageInstalled(AddonManager& manager,
                                            const std::shared_ptr<AddonPackage>& package) {
    if (AddonChangeListener* listener = viewAddons())
        listener->afterPackageInstalled(manager, package);
}

void ClientLifecycle::afterRefresh(AddonManager& manager) {
    // Support reads the installed addons from the log of a bug report.
    for (const auto& addon : manager.getAddons())
        App::log(QStringLiteral("Installed addon [") + addon->getName() +
                 QStringLiteral("] version [") + addon->getVersionName() + QLatin1Char(']'));
    if (AddonChangeListener* listener = viewAddons())
        listener->afterRefresh(manager);
}

void ClientLifecycle::beforePackageInstalled(AddonManager& manager,
                                             const std::shared_ptr<AddonPackage>& package) {
    if (AddonChangeListener* listener = viewAddons())
        listener->beforePackageInstalled(manager, package);
}

void ClientLifecycle::beforeRefresh(AddonManager& manager) {
    if (AddonChangeListener* listener = viewAddons())
        listener->beforeRefresh(manager);
}

// --- updates --------------------------------------------------------------

bool ClientLifecycle::updatesQuestionDue() const {
    return setting.isDefault() && !setting.enabled() && !closing;
}

void ClientLifecycle::setUpdatesEnabled(bool enabled) {
    setting.set(enabled);
    applyUpdatesSetting();
}

void ClientLifecycle::applyUpdatesSetting() {
    Client* client = readyClient();
    if (!client)
        return;
    if (const auto manager = client->getAddonManager())
        manager->refreshAddonsAsync();
    if (const auto dispatcher = client->getEventDispatcher()) {
        try {
            dispatcher->invokeLater([this] { setting.persist(); },
                                    QStringLiteral("persist update setting"));
        } catch (const std::exception& error) {
            App::log(error);
        }
    }
}

// --- folders and files ----------------------------------------------------

ClientLifecycle::FolderLookup ClientLifecycle::downloadsFolder() {
    Client* client = readyClient();
    const auto repository = client ? client->getClientRepository() : nullptr;
    if (!repository)
        return {std::nullopt, FolderLookup::Problem::ClientNotReady};
    return {repository->getDownloadRepository(), FolderLookup::Problem::None};
}

ClientLifecycle::FolderLookup ClientLifecycle::gameFolder() {
    Client* client = readyClient();
    wow::WowInstallation* wow = client ? client->getWow() : nullptr;
    const std::optional<fs::path> root = wow && wow->exists() ? wow->installRoot() : std::nullopt;
    if (!root)
        return {std::nullopt, FolderLookup::Problem::GameNotFound};
    return {root, FolderLookup::Problem::None};
}

ClientLifecycle::FolderLookup ClientLifecycle::addonFolder() {
    const FolderLookup game = gameFolder();
    if (game.problem != FolderLookup::Problem::None)
        return game;
    wow::WowInstallation* wow = owned->getWow();
    if (!wow->addonRootExists())
        return {std::nullopt, FolderLookup::Problem::AddonFolderMissing};
    return {wow->addonRoot(), FolderLookup::Problem::None};
}

ClientLifecycle::BugReportOutcome ClientLifecycle::createBugReport() {
    try {
        const std::optional<fs::path> zip = BugReport::create(setup.logFolder, setup.logFolder);
        if (!zip)
            return {std::nullopt, true};
        App::log(Prefix + QStringLiteral(".createBugReport: [") + util::pathText(*zip) +
                 QLatin1Char(']'));
        return {zip, false};
    } catch (const std::exception& error) {
        App::log(error);
    }
    return {};
}

void ClientLifecycle::cleanUpOldLogFiles() {
    App::cleanUpOldLogFiles(util::pathText(setup.logFolder), Prefix);
}

} // namespace plenfox::client::model
