#include "browser/wrapper/NativeCefResponse.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefResponse_n_1") + operation;
}

} // namespace

void NativeCefResponse::dispose() {
    jni::guardedNative<void>(native("dispose"), *this);
}

QString NativeCefResponse::getHeader(const QString& name) {
    return jni::guardedNative<QString>(native("getHeader"), *this, name);
}

std::shared_ptr<CefHeaderMap> NativeCefResponse::getHeaderMap() {
    return jni::guardedNative<std::shared_ptr<CefHeaderMap>>(native("getHeaderMap"), *this);
}

QString NativeCefResponse::getMimeType() {
    return jni::guardedNative<QString>(native("getMimeType"), *this);
}

std::int32_t NativeCefResponse::getStatus() {
    return jni::guardedNative<std::int32_t>(native("getStatus"), *this);
}

QString NativeCefResponse::getStatusText() {
    return jni::guardedNative<QString>(native("getStatusText"), *this);
}

void NativeCefResponse::setHeaderMap(std::shared_ptr<CefHeaderMap> headerMap) {
    jni::guardedNative<void>(native("setHeaderMap"), *this, headerMap);
}

void NativeCefResponse::setMimeType(const QString& mimeType) {
    jni::guardedNative<void>(native("setMimeType"), *this, mimeType);
}

void NativeCefResponse::setStatus(std::int32_t status) {
    jni::guardedNative<void>(native("setStatus"), *this, status);
}

void NativeCefResponse::setStatusText(const QString& text) {
    jni::guardedNative<void>(native("setStatusText"), *this, text);
}

} // namespace plenfox::cef
