#include "client/model/Client.h"

#include "client/App.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/events/ClientEventHandler.h"
#include "client/model/ClientLifetimeListener.h"
#include "client/model/ClientRepository.h"
#include "client/model/downloads/DownloadManager.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/model/downloads/DownloadRepository.h"
#include "client/model/downloads/DownloadSourceManager.h"
#include "client/model/events/EventDispatcher.h"
#include "client/model/updates/PlenfoxUpdateSource.h"
#include "client/model/TargetLocationManager.h"
#include "client/model/updates/UpdateManager.h"
#include "client/wow/WowInstallation.h"

#include <ranges>

namespace plenfox::client::model {

Client::Client(ClientEventHandler* eventHandler) : Client(eventHandler, nullptr) {}

Client::Client(ClientEventHandler* eventHandler, std::unique_ptr<ClientRepository> repository)
    : Client(eventHandler, std::move(repository), nullptr) {}

Client::Client(ClientEventHandler* eventHandler, std::unique_ptr<ClientRepository> repository,
               std::unique_ptr<wow::WowInstallation> wow)
    : wow(wow ? std::move(wow) : std::make_unique<wow::WowInstallation>()),
      eventHandler(eventHandler),
      ll(eventHandler ? eventHandler->getClientLifetimeListener() : nullptr),
      presetRepository(std::move(repository)) {}

Client::~Client() {
    releaseComponents();
    // Earlier start-ups: each dispatcher drains before the components its
    // events refer to go, newest first.
    for (auto it = retired.rbegin(); it != retired.rend(); ++it) {
        it->dispatcher.reset();
        while (!it->components.empty())
            it->components.pop_back();
    }
}

void Client::retireComponents() {
    if (!dispatcher)
        return;
    if (updateManager)
        updateManager->stopWorker();
    if (heldBlock)
        heldBlock->countDown();
    heldBlock.reset();
    // A download that is still arriving reports to the components it started
    // with, so they stay alive (idle) as long as the client.
    Retired earlier;
    earlier.dispatcher = std::move(dispatcher);
    earlier.components.push_back(std::move(repository));
    earlier.components.push_back(std::move(targetLocationManager));
    earlier.components.push_back(std::move(downloadRepository));
    earlier.components.push_back(std::move(addonManager));
    earlier.components.push_back(std::move(downloadRecognizer));
    earlier.components.push_back(std::move(sourceManager));
    earlier.components.push_back(std::move(downloadManager));
    earlier.components.push_back(std::move(updateManager));
    retired.push_back(std::move(earlier));
}

void Client::releaseComponents() {
    // The update worker posts events: it ends while the dispatcher still
    // takes them.
    if (updateManager)
        updateManager->stopWorker();
    // A failed start-up leaves the dispatcher held by its block; release it so
    // the dispatcher thread can end when the dispatcher goes away.
    if (heldBlock)
        heldBlock->countDown();
    heldBlock.reset();
    // Queued events refer to the components: let them run while the
    // components still exist, then drop the components in reverse order.
    dispatcher.reset();
    updateManager.reset();
    downloadManager.reset();
    sourceManager.reset();
    downloadRecognizer.reset();
    addonManager.reset();
    downloadRepository.reset();
    targetLocationManager.reset();
    repository.reset();
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
    std::unique_ptr<ClientRepository> nextRepository =
        presetRepository ? std::move(presetRepository)
        : repository     ? std::make_unique<ClientRepository>(repository->getRoot())
                         : std::make_unique<ClientRepository>();
    retireComponents();
    dispatcher = std::make_unique<EventDispatcher>();
    repository = std::move(nextRepository);
    targetLocationManager = std::make_unique<TargetLocationManager>();
    downloadRepository = std::make_unique<DownloadRepository>(*repository);
    addonManager = std::make_unique<AddonManager>();
    downloadRecognizer = std::make_unique<DownloadRecognizer>();
    sourceManager = std::make_unique<DownloadSourceManager>();
    downloadManager = std::make_unique<DownloadManager>();
    updateManager = presetUpdateManager
                        ? std::move(presetUpdateManager)
                        : std::make_unique<UpdateManager>(std::make_shared<PlenfoxUpdateSource>());
}

std::vector<ClientComponent*> Client::components() const {
    return {dispatcher.get(),         repository.get(),      targetLocationManager.get(),
            downloadRepository.get(), addonManager.get(),    downloadRecognizer.get(),
            sourceManager.get(),      downloadManager.get(), updateManager.get()};
}

std::vector<ClientComponent*> Client::reportingComponents() const {
    return {dispatcher.get(),      repository.get(),         downloadRepository.get(),
            addonManager.get(),    downloadRecognizer.get(), sourceManager.get(),
            downloadManager.get(), updateManager.get()};
}

bool Client::initialize(std::shared_ptr<ClientOptions> newOptions) {
    if (initialized) {
        App::log(Prefix + QStringLiteral(".initialize called redundantly!"));
        return false;
    }
    App::log(Prefix + QStringLiteral(".initialize"));
    if (ll)
        ll->beforeInitialize();
    options = newOptions ? std::move(newOptions) : std::make_shared<ClientOptions>();
    options->setClientInitialized(false);

    createComponents();
    App::log(Prefix + QStringLiteral(".initialize client components"));
    dispatcher->initialize(*this);
    heldBlock = dispatcher->createEventBlock();

    // The dispatcher is already running; the others start in order.
    for (ClientComponent* component : components() | std::views::drop(1)) {
        if (!component->initialize(*this)) {
            initializeFailed(component);
            return false;
        }
    }

    App::log(Prefix + QStringLiteral(".initialize listener-report"));
    for (ClientComponent* component : reportingComponents())
        component->listenerReport();

    App::log(Prefix + QStringLiteral(".initialize refresh"));
    App::log(Prefix + QStringLiteral(".initialize downloads"));
    downloadManager->refresh();
    App::log(Prefix + QStringLiteral(".initialize downloads complete"));
    App::log(Prefix + QStringLiteral(".initialize addons"));
    addonManager->refreshAddons();
    App::log(Prefix + QStringLiteral(".initialize addons complete"));

    const std::shared_ptr<EventLatch> sink = dispatcher->createEventSink();
    dispatcher->signalEventBlock(heldBlock);
    heldBlock.reset();
    dispatcher->waitEventSink(sink);

    App::log(Prefix + QStringLiteral(".initialize refresh complete"));
    if (ll)
        ll->afterInitialize();
    initialized = true;
    options->setClientInitialized(true);
    return true;
}

bool Client::initializeFailed(ClientComponent* component) {
    if (ll)
        ll->initializeFailed(component);
    return false;
}

void Client::shutdown() {
    if (!initialized)
        return;
    if (ll)
        ll->beforeShutdown();
    for (ClientComponent* component : components() | std::views::reverse)
        if (component)
            component->shutdown(*this);
    if (ll)
        ll->afterShutdown();
    initialized = false;
}

} // namespace plenfox::client::model
