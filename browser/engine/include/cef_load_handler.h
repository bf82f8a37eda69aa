#pragma once

#include "cef_base.h"
#include "cef_browser.h"
#include "cef_frame.h"
#include "cef_types.h"

// Progress of page loads.
class CefLoadHandler : public virtual CefBase {
public:
    virtual void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {
        (void)browser;
        (void)frame;
    }
    // The load ended with the response's HTTP status code.
    virtual void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                           int httpStatusCode) {
        (void)browser;
        (void)frame;
        (void)httpStatusCode;
    }
    // The load failed; errorText may be replaced. Return true when handled.
    virtual bool OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                             cef_handler_errorcode_t errorCode, const CefString& failedUrl,
                             CefString& errorText) {
        (void)browser;
        (void)frame;
        (void)errorCode;
        (void)failedUrl;
        (void)errorText;
        return false;
    }
};
