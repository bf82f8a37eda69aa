#pragma once

#include "client/model/ClientOptions.h"

#include <QString>
#include <memory>
#include <vector>

namespace plenfox::client::wow {
class WowInstallation;
}

namespace plenfox::client::model {

class AddonManager;
class ClientComponent;
class ClientEventHandler;
class ClientLifetimeListener;
class ClientRepository;
class DownloadManager;
class DownloadRecognizer;
class DownloadRepository;
class DownloadSourceManager;
class EventDispatcher;
class EventLatch;
class TargetLocationManager;
class UpdateManager;

// Owns every non-visual component and starts and stops them in a fixed order.
class Client {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.model.Client");

    // The handler supplies each component's listener; it may be null.
    explicit Client(ClientEventHandler* eventHandler);
    // A client whose data folder is the given one instead of the user's.
    Client(ClientEventHandler* eventHandler, std::unique_ptr<ClientRepository> repository);
    // ... and whose game installation is the given one.
    Client(ClientEventHandler* eventHandler, std::unique_ptr<ClientRepository> repository,
           std::unique_ptr<wow::WowInstallation> wow);
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    // Uses this update manager (with its own update source and clock)
    // instead of one that asks the update service; call before initialize.
    void setUpdateManager(std::unique_ptr<UpdateManager> manager);

    bool initialize();
    bool initialize(std::shared_ptr<ClientOptions> options);
    void shutdown();
    bool initializeFailed(ClientComponent* component);
    bool isInitialized() const { return initialized; }

    wow::WowInstallation* getWow() const { return wow.get(); }
    ClientEventHandler* getEventHandler() const { return eventHandler; }
    EventDispatcher* getEventDispatcher() const { return dispatcher.get(); }
    ClientRepository* getClientRepository() const { return repository.get(); }
    DownloadRepository* getDownloadRepository() const { return downloadRepository.get(); }
    AddonManager* getAddonManager() const { return addonManager.get(); }
    DownloadSourceManager* getDownloadSourceManager() const { return sourceManager.get(); }
    DownloadManager* getDownloadManager() const { return downloadManager.get(); }
    DownloadRecognizer* getDownloadRecognizer() const { return downloadRecognizer.get(); }
    UpdateManager* getUpdateManager() const { return updateManager.get(); }
    const std::shared_ptr<ClientOptions>& getOptions() const { return options; }

private:
    // Creates the components anew, releasing those of an earlier start-up.
    void createComponents();
    void releaseComponents();
    void retireComponents();
    // The components in initialization order (the dispatcher first).
    std::vector<ClientComponent*> components() const;
    std::vector<ClientComponent*> reportingComponents() const;

    std::unique_ptr<wow::WowInstallation> wow;
    ClientEventHandler* eventHandler;
    ClientLifetimeListener* ll;
    std::unique_ptr<ClientRepository> presetRepository;
    std::unique_ptr<UpdateManager> presetUpdateManager;
    std::unique_ptr<EventDispatcher> dispatcher;
    std::unique_ptr<ClientRepository> repository;
    std::unique_ptr<TargetLocationManager> targetLocationManager;
    std::unique_ptr<DownloadRepository> downloadRepository;
    std::unique_ptr<AddonManager> addonManager;
    std::unique_ptr<DownloadRecognizer> downloadRecognizer;
    std::unique_ptr<DownloadSourceManager> sourceManager;
    std::unique_ptr<DownloadManager> downloadManager;
    std::unique_ptr<UpdateManager> updateManager;
    std::shared_ptr<ClientOptions> options;
    // The start-up block, kept while a failed start-up leaves it unreleased.
    std::shared_ptr<EventLatch> heldBlock;
    // The components of earlier start-ups, kept for downloads still running.
    struct Retired {
        std::unique_ptr<EventDispatcher> dispatcher;
        std::vector<std::unique_ptr<ClientComponent>> components;
    };
    std::vector<Retired> retired;
    bool initialized = false;
};

} // namespace plenfox::client::model
