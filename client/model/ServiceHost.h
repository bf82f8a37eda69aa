#pragma once

#include <QByteArray>
#include <QString>

namespace plenfox::client {

// The host the program reaches for a host chosen when the project was
// configured. A test run moves a loopback host to the port its own service
// got (the environment variable PLENFOX_SERVICE_PORT); a host off this machine
// is never redirected, so a player's program keeps talking to its service
// whatever the environment says.
class ServiceHost {
public:
    static inline const char* const PortVariable = "PLENFOX_SERVICE_PORT";

    // The configured "host[:port]", with the port replaced by portOverride
    // when the host is a loopback address and portOverride a port number
    // (1 to 65535); otherwise unchanged.
    static QString resolve(const QString& configured, const QByteArray& portOverride);
    // resolve() with the value of PortVariable.
    static QString fromEnvironment(const QString& configured);
    // "localhost", 127.0.0.0/8 or [::1], with or without a port.
    static bool isLoopback(const QString& hostAndPort);
};

} // namespace plenfox::client
