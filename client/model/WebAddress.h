#pragma once

#include <QString>

namespace plenfox::client::model {

// The addresses the client fetches from the network itself: absolute http or
// https addresses with a host. Anything else (a file on the player's disk,
// another scheme, a relative or malformed address) is not fetched.
class WebAddress {
public:
    // The address in its fully encoded form, or a null string when it is
    // not one the client fetches.
    static QString usable(const QString& text);
    static bool isUsable(const QString& text) { return !usable(text).isNull(); }
};

} // namespace plenfox::client::model
