#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_life_span_handler.h"

namespace viewlink {

// Forwards the engine's browser life-span calls to a client CefLifeSpanHandler.
class CefLifeSpanHandlerWrapper : public CefJavaGlobalRef, public CefLifeSpanHandler {
public:
    CefLifeSpanHandlerWrapper(JNIEnv* env, jobject handler);

    bool OnBeforePopup(CefRefPtr<CefBrowser> parentBrowser, const CefPopupFeatures& popupFeatures,
                       CefWindowInfo& windowInfo, const CefString& url,
                       CefRefPtr<CefClient>& client, CefBrowserSettings& settings) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    bool RunModal(CefRefPtr<CefBrowser> browser) override;
    bool DoClose(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;

private:
    // Calls a method taking the browser; answers its boolean when answers is set.
    bool callWithBrowser(const JavaMethodRef& method, CefRefPtr<CefBrowser> browser, bool answers);

    JavaMethodRef onBeforePopup_;
    JavaMethodRef onAfterCreated_;
    JavaMethodRef runModal_;
    JavaMethodRef doClose_;
    JavaMethodRef onBeforeClose_;

    IMPLEMENT_REFCOUNTING(CefLifeSpanHandlerWrapper)
};

} // namespace viewlink
