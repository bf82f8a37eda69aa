#include "browser/wrapper/NativeCefHeaderMap.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefHeaderMap_n_1") + operation;
}

} // namespace

void NativeCefHeaderMap::add(const QString& name, const QString& value) {
    jni::guardedNative<void>(native("add"), *this, name, value);
}

bool NativeCefHeaderMap::containsKey(const QString& name) {
    return jni::guardedNative<bool>(native("containsKey"), *this, name);
}

std::shared_ptr<CefHeaderMap> NativeCefHeaderMap::copy() {
    return jni::guardedNative<std::shared_ptr<CefHeaderMap>>(native("copy"), *this);
}

void NativeCefHeaderMap::dispose() {
    jni::guardedNative<void>(native("dispose"), *this);
}

QString NativeCefHeaderMap::getKey(std::int32_t index) {
    return jni::guardedNative<QString>(native("getKey"), *this, index);
}

std::int32_t NativeCefHeaderMap::getNumberOfKeys() {
    return jni::guardedNative<std::int32_t>(native("getNumberOfKeys"), *this);
}

QString NativeCefHeaderMap::getValue(std::int32_t index) {
    return jni::guardedNative<QString>(native("getValue__I"), *this, index);
}

QString NativeCefHeaderMap::getValue(const QString& name) {
    return jni::guardedNative<QString>(native("getValue__Ljava_lang_String_2"), *this, name);
}

void NativeCefHeaderMap::remove(std::int32_t index) {
    jni::guardedNative<void>(native("remove"), *this, index);
}

} // namespace plenfox::cef
