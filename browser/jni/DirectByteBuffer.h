#pragma once

#include "browser/jni/JavaObject.h"

#include <jni.h>

#include <cstddef>
#include <memory>
#include <span>
#include <string_view>

namespace plenfox::jni {

// A view over native memory, the environment's direct java.nio.ByteBuffer.
// The memory belongs to native code; a buffer handed to a handler is valid
// only during that call.
class DirectByteBuffer final : public JavaObject {
public:
    static constexpr std::string_view JavaName = "java/nio/ByteBuffer";

    DirectByteBuffer(void* address, jlong capacity, bool readOnly = false);

    void* getAddress() const { return address; }
    jlong getCapacity() const { return capacity; }
    bool isReadOnly() const { return readOnly; }

    std::span<const std::byte> bytes() const;
    // Throws ReadOnlyBufferError for a read-only view.
    std::span<std::byte> writableBytes();

    // A read-only view of the same memory.
    std::shared_ptr<DirectByteBuffer> asReadOnlyBuffer() const;

private:
    void* const address;
    const jlong capacity;
    const bool readOnly;
};

} // namespace plenfox::jni
