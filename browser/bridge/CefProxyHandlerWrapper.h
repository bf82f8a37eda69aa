#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_proxy_handler.h"

namespace viewlink {

// Asks a client CefProxyHandler which proxy serves a URL. The client fills in
// a copy of the engine's proxy information that is copied back after the
// call; the client object is then emptied, so a client that keeps it or
// disposes it never reaches engine memory.
class CefProxyHandlerWrapper : public CefJavaGlobalRef, public CefProxyHandler {
public:
    CefProxyHandlerWrapper(JNIEnv* env, jobject handler);

    void GetProxyForUrl(const CefString& url, CefProxyInfo& proxy_info) override;

private:
    JavaMethodRef getProxyForUrl_;

    IMPLEMENT_REFCOUNTING(CefProxyHandlerWrapper)
};

} // namespace viewlink
