#pragma once

#include "client/model/ClientOptions.h"

#include <QString>
#include <filesystem>
#include <memory>
#include <mutex>
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
class DownloadManagerHandle;
class DownloadRecognizer;
class DownloadRepository;
class DownloadSourceManager;
class EventDispatcher;
class EventLatch;
class PackageFetcher;
class TargetLocationManager;
class UpdateManager;

// Owns every non-visual component and starts and stops them in a fixed order.
//
// A restart (a second initialize, for example after the game folder changed)
// replaces all components at once. The getters may be called from any thread
// while that happens: each returns a shared pointer that keeps the components
// of its start-up, with their dispatcher, alive while the caller uses it.
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
    bool isInitialized() const;

    wow::WowInstallation* getWow() const { return wow.get(); }
    ClientEventHandler* getEventHandler() const { return eventHandler; }
    std::shared_ptr<EventDispatcher> getEventDispatcher() const;
    std::shared_ptr<ClientRepository> getClientRepository() const;
    std::shared_ptr<DownloadRepository> getDownloadRepository() const;
    std::shared_ptr<AddonManager> getAddonManager() const;
    std::shared_ptr<DownloadSourceManager> getDownloadSourceManager() const;
    std::shared_ptr<DownloadManager> getDownloadManager() const;
    std::shared_ptr<DownloadRecognizer> getDownloadRecognizer() const;
    std::shared_ptr<UpdateManager> getUpdateManager() const;
    std::shared_ptr<PackageFetcher> getPackageFetcher() const;
    std::shared_ptr<ClientOptions> getOptions() const;
    // The way running downloads reach the current download manager; the
    // same object for the client's whole life.
    const std::shared_ptr<DownloadManagerHandle>& getDownloadManagerHandle() const {
        return downloadHandle;
    }

private:
    struct Components;

    // Creates the components anew, after ending those of an earlier start-up.
    void createComponents();
    // Ends the current components' threads (update worker, dispatcher) and
    // lets them go; callers still holding one keep that start-up alive.
    void releaseComponents();
    std::shared_ptr<Components> current() const;
    template <typename T> std::shared_ptr<T> share(std::unique_ptr<T> Components::*member) const;

    std::unique_ptr<wow::WowInstallation> wow;
    ClientEventHandler* eventHandler;
    ClientLifetimeListener* ll;
    std::unique_ptr<ClientRepository> presetRepository;
    std::unique_ptr<UpdateManager> presetUpdateManager;
    const std::shared_ptr<DownloadManagerHandle> downloadHandle;
    // The data folder of the first start-up, kept by later ones.
    std::filesystem::path dataRoot;

    // Guards components, options and initialized. Never held while a
    // component runs: start-up and shutdown work on their own reference.
    mutable std::mutex lock;
    std::shared_ptr<Components> components;
    std::shared_ptr<ClientOptions> options;
    bool initialized = false;
};

} // namespace plenfox::client::model
