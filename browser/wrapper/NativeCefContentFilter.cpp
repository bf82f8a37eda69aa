#include "browser/wrapper/NativeCefContentFilter.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefContentFilter_n_1") + operation;
}

} // namespace

void NativeCefContentFilter::processData(std::shared_ptr<jni::DirectByteBuffer> data,
                                         std::shared_ptr<CefStreamReaderBox> substitute) {
    jni::guardedNative<void>(native("processData"), *this, data, substitute);
}

void NativeCefContentFilter::drain(std::shared_ptr<CefStreamReaderBox> remainder) {
    jni::guardedNative<void>(native("drain"), *this, remainder);
}

} // namespace plenfox::cef
