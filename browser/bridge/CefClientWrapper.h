#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_client.h"

namespace viewlink {

// The engine's view of a client-side CefClient. Only the life-span, load and
// request handlers are asked of the client, afresh on every request; the
// other getters answer no handler.
class CefClientWrapper : public CefJavaGlobalRef, public CefClient {
public:
    CefClientWrapper(JNIEnv* env, jobject client);

    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override;
    CefRefPtr<CefLoadHandler> GetLoadHandler() override;
    CefRefPtr<CefRequestHandler> GetRequestHandler() override;

private:
    template <class Wrapper> CefRefPtr<Wrapper> handlerFrom(const JavaMethodRef& getter);

    JavaMethodRef getLifeSpanHandler_;
    JavaMethodRef getLoadHandler_;
    JavaMethodRef getRequestHandler_;

    IMPLEMENT_REFCOUNTING(CefClientWrapper)
};

} // namespace viewlink
