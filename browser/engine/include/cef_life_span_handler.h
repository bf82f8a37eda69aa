#pragma once

#include "cef_base.h"
#include "cef_browser.h"
#include "cef_types_wrappers.h"

class CefClient;

// Creation and closing of browsers and popups.
class CefLifeSpanHandler : public virtual CefBase {
public:
    // A page opens a popup. windowInfo and settings describe the new window
    // and may be changed; client may be replaced. Return true to cancel.
    virtual bool OnBeforePopup(CefRefPtr<CefBrowser> parentBrowser,
                               const CefPopupFeatures& popupFeatures, CefWindowInfo& windowInfo,
                               const CefString& url, CefRefPtr<CefClient>& client,
                               CefBrowserSettings& settings) {
        (void)parentBrowser;
        (void)popupFeatures;
        (void)windowInfo;
        (void)url;
        (void)client;
        (void)settings;
        return false;
    }
    virtual void OnAfterCreated(CefRefPtr<CefBrowser> browser) { (void)browser; }
    // A modal window would be run for the browser; true if the handler ran it.
    virtual bool RunModal(CefRefPtr<CefBrowser> browser) {
        (void)browser;
        return false;
    }
    // The browser was asked to close; return true to keep it open.
    virtual bool DoClose(CefRefPtr<CefBrowser> browser) {
        (void)browser;
        return false;
    }
    // Last call for a browser; no other call for it follows.
    virtual void OnBeforeClose(CefRefPtr<CefBrowser> browser) { (void)browser; }
};
