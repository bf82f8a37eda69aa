#include "browser/bridge/CefAppWrapper.h"

#include "browser/bridge/CefProxyHandlerWrapper.h"
#include "browser/bridge/CefResourceBundleHandlerWrapper.h"
#include "browser/bridge/JavaCallScope.h"

namespace viewlink {

using namespace plenfox::boundary;

CefAppWrapper::CefAppWrapper(JNIEnv* env, jobject application)
    : CefJavaGlobalRef(env, application), getProxyHandler_{vm(), object(),
                                                           Methods::AppGetProxyHandler},
      getResourceBundleHandler_{vm(), object(), Methods::AppGetResourceBundleHandler} {}

CefRefPtr<CefProxyHandler> CefAppWrapper::GetProxyHandler() {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return nullptr;
    jobject handler = getProxyHandler_.callObject(env);
    if (!handler)
        return nullptr;
    return new CefProxyHandlerWrapper(env, handler);
}

CefRefPtr<CefResourceBundleHandler> CefAppWrapper::GetResourceBundleHandler() {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return nullptr;
    jobject handler = getResourceBundleHandler_.callObject(env);
    if (!handler)
        return nullptr;
    return new CefResourceBundleHandlerWrapper(env, handler);
}

} // namespace viewlink
