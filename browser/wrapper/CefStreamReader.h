#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/DirectByteBuffer.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefSeekType.h"

#include <cstdint>
#include <memory>
#include <optional>

#include <string_view>

namespace plenfox::cef {

// A source of bytes: substitute content the client supplies, or a reader of
// the engine.
class CefStreamReader : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefStreamReader";

    // Reads up to `count` bytes into the buffer; answers how many were read.
    virtual std::int64_t read(std::shared_ptr<jni::DirectByteBuffer> buffer,
                              std::int64_t count) = 0;
    // True when the position moved.
    virtual bool seek(std::int64_t offset, std::optional<CefSeekType> whence) = 0;
    virtual std::int64_t tell() = 0;
    virtual bool eof() = 0;
};

} // namespace plenfox::cef
