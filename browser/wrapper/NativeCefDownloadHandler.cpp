#include "browser/wrapper/NativeCefDownloadHandler.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefDownloadHandler_n_1") + operation;
}

} // namespace

bool NativeCefDownloadHandler::receivedData(std::shared_ptr<jni::DirectByteBuffer> data) {
    return jni::guardedNative<bool>(native("receivedData"), *this, data);
}

void NativeCefDownloadHandler::complete() {
    jni::guardedNative<void>(native("complete"), *this);
}

} // namespace plenfox::cef
