#include "browser/wrapper/NativeCefProxyInfo.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefProxyInfo_n_1") + operation;
}

} // namespace

void NativeCefProxyInfo::dispose() {
    jni::guardedNative<void>(native("dispose"), *this);
}

QString NativeCefProxyInfo::getProxyList() {
    return jni::guardedNative<QString>(native("getProxyList"), *this);
}

std::int32_t NativeCefProxyInfo::getProxyType() {
    return jni::guardedNative<std::int32_t>(native("getProxyType"), *this);
}

void NativeCefProxyInfo::setProxyList(const QString& list) {
    jni::guardedNative<void>(native("setProxyList"), *this, list);
}

void NativeCefProxyInfo::setProxyType(std::int32_t type) {
    jni::guardedNative<void>(native("setProxyType"), *this, type);
}

} // namespace plenfox::cef
