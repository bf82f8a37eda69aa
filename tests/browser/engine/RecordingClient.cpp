#include "RecordingClient.h"

#include "cef_task.h"

RecordingClient::Event RecordingClient::event(std::string kind, std::string url, int code,
                                              bool flag, std::string text) {
    Event result;
    result.kind = std::move(kind);
    result.url = std::move(url);
    result.code = code;
    result.flag = flag;
    result.text = std::move(text);
    return result;
}

bool RecordingClient::OnBeforePopup(CefRefPtr<CefBrowser>, const CefPopupFeatures&, CefWindowInfo&,
                                    const CefString& url, CefRefPtr<CefClient>&,
                                    CefBrowserSettings& settings) {
    if (popupScriptsDisabled)
        settings.javascript_disabled = true;
    record(event("popup", url.ToString()));
    return cancelPopups;
}

void RecordingClient::OnAfterCreated(CefRefPtr<CefBrowser> browser) {
    {
        std::lock_guard guard(lock_);
        if (!browser_)
            browser_ = browser;
    }
    record(event("created", {}, 0, browser->IsPopup()));
}

void RecordingClient::OnBeforeClose(CefRefPtr<CefBrowser> browser) {
    {
        // The browser holds this client: let go of it to end the cycle.
        std::lock_guard guard(lock_);
        if (browser_.get() == browser.get())
            browser_ = nullptr;
    }
    record(event("close", {}, 0, browser->IsPopup()));
}

void RecordingClient::OnLoadStart(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame) {
    record(event("loadStart", frame ? frame->GetURL().ToString() : std::string()));
}

void RecordingClient::OnLoadEnd(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame,
                                int httpStatusCode) {
    record(event("loadEnd", frame ? frame->GetURL().ToString() : std::string(), httpStatusCode));
}

bool RecordingClient::OnLoadError(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame>,
                                  cef_handler_errorcode_t errorCode, const CefString& failedUrl,
                                  CefString& errorText) {
    record(event("loadError", failedUrl.ToString(), errorCode, false, errorText.ToString()));
    return false;
}

bool RecordingClient::OnBeforeBrowse(CefRefPtr<CefBrowser>, CefRefPtr<CefFrame> frame,
                                     CefRefPtr<CefRequest> request, cef_handler_navtype_t navType,
                                     bool isRedirect) {
    record(event("beforeBrowse", request->GetURL().ToString(), navType, isRedirect,
                 frame && frame->IsMain() ? "main" : "sub"));
    return cancelLinkClicks && navType == NAVTYPE_LINKCLICKED;
}

bool RecordingClient::DoClose(CefRefPtr<CefBrowser>) {
    record(event("doClose"));
    return keepOpen;
}

namespace {

bool endsWith(const std::string& text, const std::string& suffix) {
    return !suffix.empty() && text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

} // namespace

bool RecordingClient::OnBeforeResourceLoad(CefRefPtr<CefBrowser>, CefRefPtr<CefRequest> request,
                                           CefString& redirectUrl, CefRefPtr<CefStreamReader>&,
                                           CefRefPtr<CefResponse>, int) {
    const std::string url = request->GetURL().ToString();
    record(event("resource", url, 0, CefCurrentlyOn(TID_UI), request->GetMethod().ToString()));
    if (endsWith(url, redirectedSuffix))
        redirectUrl = redirectTarget;
    return endsWith(url, blockedSuffix);
}

void RecordingClient::OnResourceRedirect(CefRefPtr<CefBrowser>, const CefString& old_url,
                                         CefString& new_url) {
    record(event("redirect", old_url.ToString(), 0, false, new_url.ToString()));
    if (!redirectOverride.empty())
        new_url = redirectOverride;
}

bool RecordingClient::GetAuthCredentials(CefRefPtr<CefBrowser>, bool isProxy, const CefString& host,
                                         int port, const CefString& realm, const CefString&,
                                         CefString& username, CefString& password) {
    record(event("auth", host.ToString(), port, isProxy, realm.ToString()));
    if (user.empty())
        return false;
    username = user;
    password = this->password;
    return true;
}

bool RecordingClient::OnProtocolExecution(CefRefPtr<CefBrowser>, const CefString& url,
                                          bool& allowOSExecution) {
    allowOSExecution = false;
    record(event("protocol", url.ToString()));
    return true;
}

bool RecordingClient::GetDownloadHandler(CefRefPtr<CefBrowser>, const CefString& mimeType,
                                         const CefString& fileName, int64 contentLength,
                                         CefRefPtr<CefDownloadHandler>& handler) {
    Event offer = event("download", {}, 0, false, fileName.ToString());
    offer.mimeType = mimeType.ToString();
    offer.length = contentLength;
    if (onDownloadOffer)
        onDownloadOffer();
    record(std::move(offer));
    if (!downloadHandlerFactory)
        return false;
    handler = downloadHandlerFactory(fileName.ToString());
    return handler.get() != nullptr;
}

RecordingClient::Event RecordingClient::waitFor(const std::string& kind, const std::string& url,
                                                std::chrono::seconds timeout) {
    std::unique_lock guard(lock_);
    Event found = event("timeout");
    changed_.wait_for(guard, timeout, [&] {
        for (const auto& event : events_) {
            if (event.kind == kind && (url.empty() || event.url == url)) {
                found = event;
                return true;
            }
        }
        return false;
    });
    return found;
}

std::vector<RecordingClient::Event> RecordingClient::events() const {
    std::lock_guard guard(lock_);
    return events_;
}

int RecordingClient::count(const std::string& kind, const std::string& url) const {
    std::lock_guard guard(lock_);
    int total = 0;
    for (const auto& event : events_)
        total += event.kind == kind && (url.empty() || event.url == url) ? 1 : 0;
    return total;
}

void RecordingClient::clear() {
    std::lock_guard guard(lock_);
    events_.clear();
}

CefRefPtr<CefBrowser> RecordingClient::browser() const {
    std::lock_guard guard(lock_);
    return browser_;
}

void RecordingClient::record(Event event) {
    {
        std::lock_guard guard(lock_);
        events_.push_back(std::move(event));
    }
    changed_.notify_all();
}
