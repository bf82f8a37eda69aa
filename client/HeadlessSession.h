#pragma once

#include "client/model/events/ClientEventHandler.h"
#include "client/model/ClientLifetimeListener.h"

#include <QString>

namespace plenfox::client {

// Runs the client without a window: start, initialize, shut down. It stands
// in for the main window as the client's event handler and logs the client's
// lifetime the way the window does.
class HeadlessSession : public model::ClientEventHandler, public model::ClientLifetimeListener {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.HeadlessSession");

    // Returns the process exit status.
    int run();

    model::AddonChangeListener* getAddonChangeListener() override { return nullptr; }
    model::ClientLifetimeListener* getClientLifetimeListener() override { return this; }
    model::DownloadListener* getDownloadListener() override { return nullptr; }
    model::DownloadRecognizerListener* getDownloadRecognizerListener() override { return nullptr; }
    model::UpdateListener* getUpdateListener() override { return nullptr; }

    void afterInitialize() override;
    void afterShutdown() override;
    void beforeInitialize() override {}
    void beforeShutdown() override;
    void initializeFailed(model::ClientComponent* component) override;
};

} // namespace plenfox::client
