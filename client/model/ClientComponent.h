#pragma once

#include "lib/util/Object.h"

#include <QString>

namespace plenfox::client::model {

class Client;

// A non-visual part of the client that the Client starts and stops in order.
class ClientComponent : public util::Object {
public:
    // Acquires the component's resources; false stops the client's start-up.
    virtual bool initialize(Client& client) = 0;
    // Logs the listeners the component will notify.
    virtual void listenerReport() = 0;
    // Releases what initialize acquired.
    virtual void shutdown(Client& client) = 0;
    // After initialize returned false: what went wrong, in words a player
    // can act on; empty when the component cannot say.
    virtual QString failureReason() const { return QString(); }
};

} // namespace plenfox::client::model
