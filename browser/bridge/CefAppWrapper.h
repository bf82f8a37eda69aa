#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_app.h"

namespace viewlink {

// The engine's view of the client's application object: its proxy and
// resource-bundle handlers, asked afresh each time the engine needs one.
class CefAppWrapper : public CefJavaGlobalRef, public CefApp {
public:
    CefAppWrapper(JNIEnv* env, jobject application);

    CefRefPtr<CefProxyHandler> GetProxyHandler() override;
    CefRefPtr<CefResourceBundleHandler> GetResourceBundleHandler() override;

private:
    JavaMethodRef getProxyHandler_;
    JavaMethodRef getResourceBundleHandler_;

    IMPLEMENT_REFCOUNTING(CefAppWrapper)
};

} // namespace viewlink
