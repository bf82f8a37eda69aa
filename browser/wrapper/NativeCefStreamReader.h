#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/wrapper/CefStreamReader.h"

#include <atomic>
#include <cstdint>
#include <string_view>

namespace plenfox::cef {

// A stream reader of the engine.
class NativeCefStreamReader final : public CefStreamReader {
public:
    static constexpr std::string_view JavaName = boundary::Kinds::StreamReader.className;

    std::int64_t read(std::shared_ptr<jni::DirectByteBuffer> buffer, std::int64_t count) override;
    bool seek(std::int64_t offset, std::optional<CefSeekType> whence) override;
    std::int64_t tell() override;
    bool eof() override;

    // The native object's address ("n_handleCefStreamReader"); only the bridge reads and writes it.
    std::atomic<std::int64_t> handle{0};
};

} // namespace plenfox::cef
