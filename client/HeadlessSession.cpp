#include "client/HeadlessSession.h"

#include "client/App.h"
#include "client/model/addons/AddonManager.h"
#include "client/model/Client.h"
#include "client/model/ClientComponent.h"
#include "client/wow/InstalledWowAddon.h"

#include <thread>

namespace plenfox::client {

int HeadlessSession::run() {
    model::Client client(this);
    // The client never initializes on the thread that owns the event loop.
    std::thread initializer([&client] { client.initialize(); });
    initializer.join();
    // Every run leaves a log file; only the newest are kept.
    App::cleanUpOldLogFiles(App::temporaryFolder(), Prefix);
    if (client.isInitialized()) {
        for (const auto& addon : client.getAddonManager()->getAddons())
            App::log(QStringLiteral("Installed addon [") + addon->getName() +
                     QStringLiteral("] version [") + addon->getVersionName() + QLatin1Char(']'));
    }
    client.shutdown();
    if (App* app = App::getInstance(); app && app->getExceptionCount() != 0)
        App::log(QStringLiteral("Exceptions encountered ") +
                 QString::number(app->getExceptionCount()));
    return 0;
}

void HeadlessSession::afterInitialize() {
    App::log(QStringLiteral("Initialized client"));
}

void HeadlessSession::afterShutdown() {
    App::log(QStringLiteral("Successfully shut down client"));
}

void HeadlessSession::beforeShutdown() {
    App::log(QStringLiteral("Shutting down client"));
}

void HeadlessSession::initializeFailed(model::ClientComponent* component) {
    App::log(QStringLiteral("Failed to initialize component: ") + util::textOf(component));
}

} // namespace plenfox::client
