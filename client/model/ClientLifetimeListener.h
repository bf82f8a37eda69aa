#pragma once

namespace plenfox::client::model {

class ClientComponent;

// Hears the client's start-up and shutdown: the ClientLifecycle, which passes
// each call on to the main window.
class ClientLifetimeListener {
public:
    virtual ~ClientLifetimeListener() = default;
    virtual void afterInitialize() = 0;
    virtual void afterShutdown() = 0;
    virtual void beforeInitialize() = 0;
    virtual void beforeShutdown() = 0;
    virtual void initializeFailed(ClientComponent* component) = 0;
};

} // namespace plenfox::client::model
