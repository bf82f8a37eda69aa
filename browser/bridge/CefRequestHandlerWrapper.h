#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_request_handler.h"

namespace viewlink {

// Forwards navigations, resource loads, downloads and credential questions
// to a client CefRequestHandler; out-parameters travel in box objects.
class CefRequestHandlerWrapper : public CefJavaGlobalRef, public CefRequestHandler {
public:
    CefRequestHandlerWrapper(JNIEnv* env, jobject handler);

    bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                        CefRefPtr<CefRequest> request, cef_handler_navtype_t navType,
                        bool isRedirect) override;
    bool OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefRequest> request,
                              CefString& redirectUrl, CefRefPtr<CefStreamReader>& resourceStream,
                              CefRefPtr<CefResponse> response, int loadFlags) override;
    void OnResourceRedirect(CefRefPtr<CefBrowser> browser, const CefString& old_url,
                            CefString& new_url) override;
    void OnResourceResponse(CefRefPtr<CefBrowser> browser, const CefString& url,
                            CefRefPtr<CefResponse> response,
                            CefRefPtr<CefContentFilter>& filter) override;
    bool OnProtocolExecution(CefRefPtr<CefBrowser> browser, const CefString& url,
                             bool& allowOSExecution) override;
    bool GetDownloadHandler(CefRefPtr<CefBrowser> browser, const CefString& mimeType,
                            const CefString& fileName, int64 contentLength,
                            CefRefPtr<CefDownloadHandler>& handler) override;
    bool GetAuthCredentials(CefRefPtr<CefBrowser> browser, bool isProxy, const CefString& host,
                            int port, const CefString& realm, const CefString& scheme,
                            CefString& username, CefString& password) override;

private:
    JavaMethodRef onBeforeBrowse_;
    JavaMethodRef onBeforeResourceLoad_;
    JavaMethodRef onResourceRedirect_;
    JavaMethodRef onResourceResponse_;
    JavaMethodRef onProtocolExecution_;
    JavaMethodRef getDownloadHandler_;
    JavaMethodRef getAuthCredentials_;

    IMPLEMENT_REFCOUNTING(CefRequestHandlerWrapper)
};

} // namespace viewlink
