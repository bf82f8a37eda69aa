#pragma once

#include "cef_base.h"
#include "cef_browser.h"
#include "cef_content_filter.h"
#include "cef_cookie.h"
#include "cef_download_handler.h"
#include "cef_frame.h"
#include "cef_request.h"
#include "cef_response.h"
#include "cef_stream.h"
#include "cef_types.h"

// Navigations, resource loads, downloads and credentials of a browser.
class CefRequestHandler : public virtual CefBase {
public:
    // A frame is about to navigate; return true to cancel.
    virtual bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                CefRefPtr<CefRequest> request, cef_handler_navtype_t navType,
                                bool isRedirect) {
        (void)browser, (void)frame, (void)request, (void)navType, (void)isRedirect;
        return false;
    }
    // A resource is about to load. Set redirectUrl to load another URL, or
    // resourceStream (with response) to answer it; return true to cancel.
    virtual bool OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefRequest> request,
                                      CefString& redirectUrl,
                                      CefRefPtr<CefStreamReader>& resourceStream,
                                      CefRefPtr<CefResponse> response, int loadFlags) {
        (void)browser, (void)request, (void)redirectUrl, (void)resourceStream, (void)response,
            (void)loadFlags;
        return false;
    }
    // The server redirected old_url to new_url; new_url may be changed.
    virtual void OnResourceRedirect(CefRefPtr<CefBrowser> browser, const CefString& old_url,
                                    CefString& new_url) {
        (void)browser, (void)old_url, (void)new_url;
    }
    // A response arrived; set filter to rewrite its body.
    virtual void OnResourceResponse(CefRefPtr<CefBrowser> browser, const CefString& url,
                                    CefRefPtr<CefResponse> response,
                                    CefRefPtr<CefContentFilter>& filter) {
        (void)browser, (void)url, (void)response, (void)filter;
    }
    // A URL of a scheme the engine does not know. Return true when handled;
    // otherwise allowOSExecution says whether the desktop may open it.
    virtual bool OnProtocolExecution(CefRefPtr<CefBrowser> browser, const CefString& url,
                                     bool& allowOSExecution) {
        (void)browser, (void)url, (void)allowOSExecution;
        return false;
    }
    // A download starts. Return true with a handler to receive its bytes;
    // without a handler the download is cancelled. contentLength is -1 when
    // unknown.
    virtual bool GetDownloadHandler(CefRefPtr<CefBrowser> browser, const CefString& mimeType,
                                    const CefString& fileName, int64 contentLength,
                                    CefRefPtr<CefDownloadHandler>& handler) {
        (void)browser, (void)mimeType, (void)fileName, (void)contentLength, (void)handler;
        return false;
    }
    // A server or proxy asks for credentials; return true after filling them.
    virtual bool GetAuthCredentials(CefRefPtr<CefBrowser> browser, bool isProxy,
                                    const CefString& host, int port, const CefString& realm,
                                    const CefString& scheme, CefString& username,
                                    CefString& password) {
        (void)browser, (void)isProxy, (void)host, (void)port, (void)realm, (void)scheme,
            (void)username, (void)password;
        return false;
    }
    // Null selects the engine's global cookie manager.
    virtual CefRefPtr<CefCookieManager> GetCookieManager(CefRefPtr<CefBrowser> browser,
                                                         const CefString& main_url) {
        (void)browser, (void)main_url;
        return nullptr;
    }
};
