#include "browser/wrapper/NativeCefDownloadHandler.h"

#include "browser/jni/DirectByteBuffer.h"
#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefDownloadHandler_n_1") + operation;
}

} // namespace

bool NativeCefDownloadHandler::receivedData(std::span<const std::byte> data) {
    // The bridge only reads the piece: a read-only view lends it the bytes.
    auto buffer = std::make_shared<jni::DirectByteBuffer>(const_cast<std::byte*>(data.data()),
                                                          jlong(data.size()), true);
    return jni::guardedNative<bool>(native("receivedData"), *this, buffer);
}

void NativeCefDownloadHandler::complete() {
    jni::guardedNative<void>(native("complete"), *this);
}

} // namespace plenfox::cef
