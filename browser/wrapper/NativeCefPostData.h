#pragma once

#include "browser/wrapper/CefPostData.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string_view>

namespace plenfox::cef {

// Posted data of the engine: the client only passes it back to a request.
// Each object the bridge makes holds one engine reference, given back by
// dispose() or, since callers merely pass it on, when its last owner drops it.
class NativeCefPostData final : public CefPostData {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/NativeCefPostData";

    NativeCefPostData() = default;
    ~NativeCefPostData() override;

    void dispose();

    // The native object's address ("n_handleCefPostData"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};

private:
    struct StandIn {};
    // An object that carries a dropped object's handle to the bridge.
    explicit NativeCefPostData(StandIn) : disposesWhenDropped(false) {}

    std::mutex disposeLock;
    const bool disposesWhenDropped = true;
};

} // namespace plenfox::cef
