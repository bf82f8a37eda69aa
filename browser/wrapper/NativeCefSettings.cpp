#include "browser/wrapper/NativeCefSettings.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefSettings_n_1") + operation;
}

} // namespace

void NativeCefSettings::dispose() {
    jni::guardedNative<void>(native("dispose"), *this);
}

#define PLENFOX_FORWARD_SETTING(Type, Name)                                                        \
    Type NativeCefSettings::get##Name() {                                                          \
        return jni::guardedNative<Type>(native("get" #Name), *this);                               \
    }                                                                                              \
    void NativeCefSettings::set##Name(const Type& value) {                                         \
        jni::guardedNative<void>(native("set" #Name), *this, value);                               \
    }
PLENFOX_CEF_SETTINGS(PLENFOX_FORWARD_SETTING)
#undef PLENFOX_FORWARD_SETTING

} // namespace plenfox::cef
