#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "cef_client.h"

// A client whose handlers record every call, for tests to wait on and read.
// Answers are configurable; by default nothing is cancelled.
class RecordingClient : public CefClient,
                        public CefLifeSpanHandler,
                        public CefLoadHandler,
                        public CefRequestHandler {
public:
    struct Event {
        std::string kind; // "created", "loadStart", "loadEnd", "loadError", "beforeBrowse",
                          // "popup", "download", "protocol", "close"
        std::string url;
        int code = 0;
        bool flag = false;
        std::string text;
        std::string mimeType;
        long long length = 0;
    };
    static Event event(std::string kind, std::string url = {}, int code = 0, bool flag = false,
                       std::string text = {});

    CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() override { return this; }
    CefRefPtr<CefLoadHandler> GetLoadHandler() override { return this; }
    CefRefPtr<CefRequestHandler> GetRequestHandler() override { return this; }

    bool OnBeforePopup(CefRefPtr<CefBrowser> parent, const CefPopupFeatures& features,
                       CefWindowInfo& windowInfo, const CefString& url,
                       CefRefPtr<CefClient>& client, CefBrowserSettings& settings) override;
    void OnAfterCreated(CefRefPtr<CefBrowser> browser) override;
    void OnBeforeClose(CefRefPtr<CefBrowser> browser) override;
    void OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) override;
    void OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                   int httpStatusCode) override;
    bool OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                     cef_handler_errorcode_t errorCode, const CefString& failedUrl,
                     CefString& errorText) override;
    bool OnBeforeBrowse(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                        CefRefPtr<CefRequest> request, cef_handler_navtype_t navType,
                        bool isRedirect) override;
    bool DoClose(CefRefPtr<CefBrowser> browser) override;
    bool OnBeforeResourceLoad(CefRefPtr<CefBrowser> browser, CefRefPtr<CefRequest> request,
                              CefString& redirectUrl, CefRefPtr<CefStreamReader>& resourceStream,
                              CefRefPtr<CefResponse> response, int loadFlags) override;
    void OnResourceRedirect(CefRefPtr<CefBrowser> browser, const CefString& old_url,
                            CefString& new_url) override;
    bool GetAuthCredentials(CefRefPtr<CefBrowser> browser, bool isProxy, const CefString& host,
                            int port, const CefString& realm, const CefString& scheme,
                            CefString& username, CefString& password) override;
    bool OnProtocolExecution(CefRefPtr<CefBrowser> browser, const CefString& url,
                             bool& allowOSExecution) override;
    bool GetDownloadHandler(CefRefPtr<CefBrowser> browser, const CefString& mimeType,
                            const CefString& fileName, int64 contentLength,
                            CefRefPtr<CefDownloadHandler>& handler) override;

    // Configuration, set before the browser is created.
    bool cancelLinkClicks = false;
    bool cancelPopups = false;
    bool keepOpen = false;
    // Popups open with scripts turned off in their settings.
    bool popupScriptsDisabled = false;
    // Credentials given when asked; none when the user name is empty.
    std::string user;
    std::string password;
    // Resources whose URL ends so are cancelled, or redirected to the URL.
    std::string blockedSuffix;
    std::string redirectedSuffix;
    std::string redirectTarget;
    // Server redirects of the page are sent here instead, when set.
    std::string redirectOverride;
    // Makes the handler for each offered download, given the offered file
    // name; none refuses it.
    std::function<CefRefPtr<CefDownloadHandler>(const std::string&)> downloadHandlerFactory;
    // Called when a download is offered, before it is answered.
    std::function<void()> onDownloadOffer;

    // Waits until an event of the kind (and, when given, URL) was recorded;
    // returns it, or an event of kind "timeout".
    Event waitFor(const std::string& kind, const std::string& url = {},
                  std::chrono::seconds timeout = std::chrono::seconds(60));
    std::vector<Event> events() const;
    int count(const std::string& kind, const std::string& url = {}) const;
    void clear();
    CefRefPtr<CefBrowser> browser() const;

protected:
    void record(Event event);

private:
    mutable std::mutex lock_;
    std::condition_variable changed_;
    std::vector<Event> events_;
    CefRefPtr<CefBrowser> browser_;

    IMPLEMENT_REFCOUNTING(RecordingClient)
};
