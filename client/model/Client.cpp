#include "client/model/Client.h"

#include "client/model/App.h"
#include "client/model/ClientLifetimeListener.h"
#include "client/model/ClientRepository.h"
#include "client/model/TargetLocationManager.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/DownloadManagerHandle.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/DownloadRepository.h"
#include "client/model/downloads/DownloadSourceManager.h"
#include "client/model/downloads/PackageFetcher.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/updates/PlenfoxUpdateSource.h"
#include "client/model/updates/UpdateManager.h"
#include "client/model/wow/WowInstallation.h"

#include <ranges>

namespace plenfox::client::model {

// The components of one start-up.
struct Client::Components {
    std::unique_ptr<EventDispatcher> dispatcher;
    std::unique_ptr<ClientRepository> repository;
    std::unique_ptr<TargetLocationManager> targetLocationManager;
    std::unique_ptr<DownloadRepository> downloadRepository;
    std::unique_ptr<AddonManager> addonManager;
    std::unique_ptr<DownloadRecognizer> downloadRecognizer;
    std::unique_ptr<DownloadSourceManager> sourceManager;
    std::unique_ptr<DownloadManager> downloadManager;
    std::unique_ptr<UpdateManager> updateManager;
    std::unique_ptr<PackageFetcher> packageFetcher;
    // The start-up block, kept while a failed start-up leaves it unreleased.
    std::shared_ptr<EventLatch> heldBlock;

    ~Components() {
        stop();
        // Queued events refer to the components: the dispatcher goes first
        // (it has drained), then the components in reverse order.
        dispatcher.reset();
        packageFetcher.reset();
        updateManager.reset();
        downloadManager.reset();
        sourceManager.reset();
        downloadRecognizer.reset();
        addonManager.reset();
        downloadRepository.reset();
        targetLocationManager.reset();
        repository.reset();
    }

    // Ends the threads of this start-up: the update worker (it posts
    // events), then the dispatcher once its queue has run. Afterwards no
    // listener hears from these components again.
    void stop() {
        // A fetch feeds the download manager and the recognizer: it ends
        // before anything else.
        if (packageFetcher)
            packageFetcher->stop();
        if (updateManager)
            updateManager->stopWorker();
        // A failed start-up leaves the queue held by its block.
        if (heldBlock)
            heldBlock->countDown();
        heldBlock.reset();
        if (dispatcher)
            dispatcher->stop();
    }

    // In initialization order, the dispatcher first.
    std::vector<ClientComponent*> ordered() const {
        return {dispatcher.get(),         repository.get(),      targetLocationManager.get(),
                downloadRepository.get(), addonManager.get(),    downloadRecognizer.get(),
                sourceManager.get(),      downloadManager.get(), updateManager.get(),
                packageFetcher.get()};
    }
    std::vector<ClientComponent*> reporting() const {
        return {dispatcher.get(),      repository.get(),         downloadRepository.get(),
                addonManager.get(),    downloadRecognizer.get(), sourceManager.get(),
                downloadManager.get(), updateManager.get(),      packageFetcher.get()};
    }
};

Client::Client(ClientEventHandler* eventHandler) : Client(eventHandler, nullptr) {}

Client::Client(ClientEventHandler* eventHandler, std::unique_ptr<ClientRepository> repository)
    : Client(eventHandler, std::move(repository), nullptr) {}

Client::Client(ClientEventHandler* eventHandler, std::unique_ptr<ClientRepository> repository,
               std::unique_ptr<wow::WowInstallation> wow)
    : wow(wow ? std::move(wow) : std::make_unique<wow::WowInstallation>()),
      eventHandler(eventHandler),
      ll(eventHandler ? eventHandler->getClientLifetimeListener() : nullptr),
      presetRepository(std::move(repository)),
      downloadHandle(std::make_shared<DownloadManagerHandle>()) {}

Client::~Client() {
    // Downloads that outlive the client report to nobody.
    downloadHandle->close();
    releaseComponents();
}

std::shared_ptr<Client::Components> Client::current() const {
    std::lock_guard guard(lock);
    return components;
}

template <typename T>
std::shared_ptr<T> Client::share(std::unique_ptr<T> Components::*member) const {
    std::shared_ptr<Components> held = current();
    T* component = held ? ((*held).*member).get() : nullptr;
    if (!component)
        return nullptr;
    // Shares the ownership of the whole start-up.
    return std::shared_ptr<T>(std::move(held), component);
}

std::shared_ptr<EventDispatcher> Client::getEventDispatcher() const {
    return share(&Components::dispatcher);
}
std::shared_ptr<ClientRepository> Client::getClientRepository() const {
    return share(&Components::repository);
}
std::shared_ptr<DownloadRepository> Client::getDownloadRepository() const {
    return share(&Components::downloadRepository);
}
std::shared_ptr<AddonManager> Client::getAddonManager() const {
    return share(&Components::addonManager);
}
std::shared_ptr<DownloadSourceManager> Client::getDownloadSourceManager() const {
    return share(&Components::sourceManager);
}
std::shared_ptr<DownloadManager> Client::getDownloadManager() const {
    return share(&Components::downloadManager);
}
std::shared_ptr<DownloadRecognizer> Client::getDownloadRecognizer() const {
    return share(&Components::downloadRecognizer);
}
std::shared_ptr<UpdateManager> Client::getUpdateManager() const {
    return share(&Components::updateManager);
}
std::shared_ptr<PackageFetcher> Client::getPackageFetcher() const {
    return share(&Components::packageFetcher);
}

std::shared_ptr<ClientOptions> Client::getOptions() const {
    std::lock_guard guard(lock);
    return options;
}

bool Client::isInitialized() const {
    std::lock_guard guard(lock);
    return initialized;
}

void Client::releaseComponents() {
    std::shared_ptr<Components> released;
    {
        std::lock_guard guard(lock);
        released = std::exchange(components, nullptr);
    }
    if (released)
        released->stop();
}

void Client::setUpdateManager(std::unique_ptr<UpdateManager> manager) {
    presetUpdateManager = std::move(manager);
}

bool Client::initialize() {
    return initialize(std::make_shared<ClientOptions>());
}

void Client::createComponents() {
    // A second start-up (after a failure, or after a shutdown to change the
    // game folder) keeps the data folder of the first.
    auto next = std::make_shared<Components>();
    next->repository = presetRepository   ? std::move(presetRepository)
                       : dataRoot.empty() ? std::make_unique<ClientRepository>()
                                          : std::make_unique<ClientRepository>(dataRoot);
    dataRoot = next->repository->getRoot();
    // The earlier dispatcher has delivered its last event before the new
    // one starts: listeners never hear two dispatchers at once.
    releaseComponents();
    next->dispatcher = std::make_unique<EventDispatcher>();
    next->targetLocationManager = std::make_unique<TargetLocationManager>();
    next->downloadRepository = std::make_unique<DownloadRepository>(*next->repository);
    next->addonManager = std::make_unique<AddonManager>();
    next->downloadRecognizer = std::make_unique<DownloadRecognizer>();
    next->sourceManager = std::make_unique<DownloadSourceManager>();
    next->downloadManager = std::make_unique<DownloadManager>();
    next->updateManager =
        presetUpdateManager
            ? std::move(presetUpdateManager)
            : std::make_unique<UpdateManager>(std::make_shared<PlenfoxUpdateSource>());
    next->packageFetcher = std::make_unique<PackageFetcher>();
    std::lock_guard guard(lock);
    components = std::move(next);
}

bool Client::initialize(std::shared_ptr<ClientOptions> newOptions) {
    {
        std::lock_guard guard(lock);
        if (initialized) {
            App::log(Prefix + QStringLiteral(".initialize called redundantly!"));
            return false;
        }
    }
    App::log(Prefix + QStringLiteral(".initialize"));
    if (ll)
        ll->beforeInitialize();
    if (!newOptions)
        newOptions = std::make_shared<ClientOptions>();
    newOptions->setClientInitialized(false);
    {
        std::lock_guard guard(lock);
        options = newOptions;
    }

    createComponents();
    // This start-up's own reference: a restart from another thread cannot
    // pull the components away while they start.
    const std::shared_ptr<Components> started = current();
    App::log(Prefix + QStringLiteral(".initialize client components"));
    EventDispatcher& dispatcher = *started->dispatcher;
    dispatcher.initialize(*this);
    started->heldBlock = dispatcher.createEventBlock();

    // The dispatcher is already running; the others start in order.
    for (ClientComponent* component : started->ordered() | std::views::drop(1)) {
        bool ready = false;
        try {
            ready = component->initialize(*this);
        } catch (const std::exception& error) {
            // A component that throws has failed like one that refused.
            App::log(error);
        }
        if (!ready) {
            initializeFailed(component);
            return false;
        }
    }

    App::log(Prefix + QStringLiteral(".initialize listener-report"));
    for (ClientComponent* component : started->reporting())
        component->listenerReport();

    // Downloads still running from an earlier start-up, and the reports
    // they made meanwhile, go to the new manager before it lists the folder.
    downloadHandle->attach(*started->downloadManager);

    App::log(Prefix + QStringLiteral(".initialize refresh"));
    App::log(Prefix + QStringLiteral(".initialize downloads"));
    started->downloadManager->refresh();
    App::log(Prefix + QStringLiteral(".initialize downloads complete"));
    App::log(Prefix + QStringLiteral(".initialize addons"));
    started->addonManager->refreshAddons();
    App::log(Prefix + QStringLiteral(".initialize addons complete"));

    const std::shared_ptr<EventLatch> sink = dispatcher.createEventSink();
    dispatcher.signalEventBlock(started->heldBlock);
    started->heldBlock.reset();
    dispatcher.waitEventSink(sink);

    App::log(Prefix + QStringLiteral(".initialize refresh complete"));
    if (ll)
        ll->afterInitialize();
    {
        std::lock_guard guard(lock);
        initialized = true;
    }
    newOptions->setClientInitialized(true);
    return true;
}

bool Client::initializeFailed(ClientComponent* component) {
    if (ll)
        ll->initializeFailed(component);
    return false;
}

void Client::shutdown() {
    {
        std::lock_guard guard(lock);
        if (!initialized)
            return;
    }
    if (ll)
        ll->beforeShutdown();
    // From here on, reports of running downloads wait for the next start-up.
    downloadHandle->detach();
    const std::shared_ptr<Components> running = current();
    for (ClientComponent* component : running->ordered() | std::views::reverse)
        if (component)
            component->shutdown(*this);
    if (ll)
        ll->afterShutdown();
    std::lock_guard guard(lock);
    initialized = false;
}

} // namespace plenfox::client::model
