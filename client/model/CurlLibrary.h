#pragma once

namespace plenfox::client::model {

// The network library's process-wide set-up, done once before the first
// transfer of any of the client's components.
class CurlLibrary {
public:
    static void ensureInitialized();
};

} // namespace plenfox::client::model
