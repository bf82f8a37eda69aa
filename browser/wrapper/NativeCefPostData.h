#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefPostData.h"

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// Posted data of the engine; it has no operations of its own.
class NativeCefPostData final : public CefPostData {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::PostData.className;

    // The native object's address ("n_handleCefPostData"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
