#include "browser/bridge/ExportSupport.h"

#include "cef_types_wrappers.h"

using namespace viewlink;

namespace {

CefProxyInfo* infoOf(JNIEnv* env, jobject self) {
    return ownedBy<CefProxyInfo>(env, self, Kinds::ProxyInfo);
}

} // namespace

VIEWLINK_EXPORT(jint, NativeCefProxyInfo, getProxyType)(JNIEnv* env, jobject self) {
    CefProxyInfo* info = infoOf(env, self);
    return info ? static_cast<jint>(info->proxyType) : -1;
}

// Only the engine's three proxy types are stored; any other value is ignored.
VIEWLINK_EXPORT(void, NativeCefProxyInfo, setProxyType)(JNIEnv* env, jobject self, jint type) {
    CefProxyInfo* info = infoOf(env, self);
    if (info && type >= CEF_PROXY_TYPE_DIRECT && type <= CEF_PROXY_TYPE_PAC_STRING)
        info->proxyType = static_cast<cef_proxy_type_t>(type);
}

VIEWLINK_EXPORT(jstring, NativeCefProxyInfo, getProxyList)(JNIEnv* env, jobject self) {
    return guarded(jstring{nullptr}, [&]() -> jstring {
        CefProxyInfo* info = infoOf(env, self);
        return info ? JavaStrings::toClient(env, info->proxyList) : nullptr;
    });
}

// Null clears the list.
VIEWLINK_EXPORT(void, NativeCefProxyInfo, setProxyList)(JNIEnv* env, jobject self, jstring list) {
    guarded([&] {
        CefProxyInfo* info = infoOf(env, self);
        if (!info)
            return;
        CefString text;
        if (JavaStrings::toEngine(env, list, text) || !list)
            info->proxyList = text;
    });
}

VIEWLINK_EXPORT(void, NativeCefProxyInfo, dispose)(JNIEnv* env, jobject self) {
    disposeOwned<CefProxyInfo>(env, self, Kinds::ProxyInfo);
}
