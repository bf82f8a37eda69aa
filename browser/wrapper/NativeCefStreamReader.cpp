#include "browser/wrapper/NativeCefStreamReader.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefStreamReader_n_1") + operation;
}

} // namespace

std::int64_t NativeCefStreamReader::read(std::shared_ptr<jni::DirectByteBuffer> buffer,
                                         std::int64_t count) {
    return jni::guardedNative<std::int64_t>(native("read"), *this, buffer, count);
}

bool NativeCefStreamReader::seek(std::int64_t offset, std::optional<CefSeekType> whence) {
    // The engine answers 0 when the position moved.
    if (!whence)
        return false;
    return jni::guardedNative<std::int32_t>(native("seek"), *this, offset, getValue(*whence)) == 0;
}

std::int64_t NativeCefStreamReader::tell() {
    return jni::guardedNative<std::int64_t>(native("tell"), *this);
}

bool NativeCefStreamReader::eof() {
    return jni::guardedNative<bool>(native("eof"), *this);
}

} // namespace plenfox::cef
