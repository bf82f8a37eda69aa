#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefDownloadHandler.h"

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A download handler of the engine.
class NativeCefDownloadHandler final : public CefDownloadHandler {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::DownloadHandler.className;

    bool receivedData(std::span<const std::byte> data) override;
    void complete() override;

    // The native object's address ("n_handleCefDownloadHandler"); only the bridge reads and writes
    // it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
