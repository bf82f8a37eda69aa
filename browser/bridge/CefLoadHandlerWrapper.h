#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_load_handler.h"

namespace viewlink {

// Forwards the engine's load progress to a client CefLoadHandler.
class CefLoadHandlerWrapper : public CefJavaGlobalRef, public CefLoadHandler {
public:
    CefLoadHandlerWrapper(JNIEnv* env, jobject handler);

    void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) override;
    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   int httpStatusCode) override;
    bool OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                     cef_handler_errorcode_t errorCode, const CefString& failedUrl,
                     CefString& errorText) override;

private:
    JavaMethodRef onLoadStart_;
    JavaMethodRef onLoadEnd_;
    JavaMethodRef onLoadError_;

    IMPLEMENT_REFCOUNTING(CefLoadHandlerWrapper)
};

} // namespace viewlink
