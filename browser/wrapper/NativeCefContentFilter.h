#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefContentFilter.h"
#include "browser/wrapper/CefStreamReaderBox.h"

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A content filter of the engine.
class NativeCefContentFilter final : public CefContentFilter {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::ContentFilter.className;

    void processData(std::shared_ptr<jni::DirectByteBuffer> data,
                     std::shared_ptr<CefStreamReaderBox> substitute) override;
    void drain(std::shared_ptr<CefStreamReaderBox> remainder) override;

    // The native object's address ("n_handleCefContentFilter"); only the bridge reads and writes
    // it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
