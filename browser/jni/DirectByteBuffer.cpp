#include "browser/jni/DirectByteBuffer.h"

#include "browser/jni/ReadOnlyBufferError.h"

namespace plenfox::jni {

DirectByteBuffer::DirectByteBuffer(void* address, jlong capacity, bool readOnly)
    : address(address), capacity(capacity < 0 ? 0 : capacity), readOnly(readOnly) {}

std::span<const std::byte> DirectByteBuffer::bytes() const {
    if (!address)
        return {};
    return {static_cast<const std::byte*>(address), static_cast<std::size_t>(capacity)};
}

std::span<std::byte> DirectByteBuffer::writableBytes() {
    if (readOnly)
        throw ReadOnlyBufferError();
    if (!address)
        return {};
    return {static_cast<std::byte*>(address), static_cast<std::size_t>(capacity)};
}

std::shared_ptr<DirectByteBuffer> DirectByteBuffer::asReadOnlyBuffer() const {
    return std::make_shared<DirectByteBuffer>(address, capacity, true);
}

} // namespace plenfox::jni
