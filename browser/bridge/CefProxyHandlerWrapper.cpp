#include "browser/bridge/CefProxyHandlerWrapper.h"

#include "browser/bridge/ClientObjects.h"
#include "browser/bridge/JavaCallScope.h"
#include "browser/bridge/JavaStrings.h"

#include <memory>

namespace viewlink {

using namespace plenfox::boundary;

CefProxyHandlerWrapper::CefProxyHandlerWrapper(JNIEnv* env, jobject handler)
    : CefJavaGlobalRef(env, handler), getProxyForUrl_{vm(), object(),
                                                      Methods::ProxyHandlerGetProxyForUrl} {}

void CefProxyHandlerWrapper::GetProxyForUrl(const CefString& url, CefProxyInfo& proxy_info) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return;
    jobject info =
        ClientObjects::wrapOwned(env, Kinds::ProxyInfo.className, Kinds::ProxyInfo.handleField,
                                 std::make_unique<CefProxyInfo>(proxy_info));
    if (!info)
        return;
    jvalue args[2];
    args[0].l = JavaStrings::toClient(env, url);
    args[1].l = info;
    bool threw = false;
    getProxyForUrl_.callVoid(env, args, &threw);
    auto* answer = HandleField::get<CefProxyInfo>(env, info, Kinds::ProxyInfo.handleField);
    if (answer && !threw)
        proxy_info = *answer;
    HandleField::storeOwned<CefProxyInfo>(env, info, Kinds::ProxyInfo.handleField, nullptr);
}

} // namespace viewlink
