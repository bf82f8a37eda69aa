#include "LoadEventMapper.h"

#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

#include "BrowserImpl.h"
#include "BrowserPage.h"
#include "QtText.h"
#include "cef_load_handler.h"

namespace {

constexpr int HttpOk = 200;

// The HTTP status a finished load carries; Qt reports it in the status-code
// domain, also for successful loads.
int statusOf(const QWebEngineLoadingInfo& info) {
    return info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain ? info.errorCode()
                                                                             : HttpOk;
}

} // namespace

void LoadEventMapper::onLoadingChanged(const QWebEngineLoadingInfo& info,
                                       const QWebEnginePage& page) {
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        abandoned_ = false;
        pending_ = true;
        started_ = false;
        return;
    }
    // The end of a load that a newer one replaced says nothing about the
    // newer one.
    if (abandoned_)
        return;
    switch (info.status()) {
    case QWebEngineLoadingInfo::LoadStartedStatus:
        break;
    case QWebEngineLoadingInfo::LoadSucceededStatus:
        announceStart();
        announceEnd(statusOf(info));
        break;
    case QWebEngineLoadingInfo::LoadFailedStatus:
        if (info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain) {
            // The server answered, with an error status: the page shows its
            // answer, so the load ended normally.
            announceStart();
            announceEnd(info.errorCode());
        } else if (info.errorCode() == ERR_ABORTED && page.url() != info.url()) {
            // Aborted before the page changed, as when a navigation becomes a
            // download: the page did not fail to load.
            if (started_)
                announceEnd(0);
        } else {
            announceError(info.errorCode(), info.url(), info.errorString());
            if (started_)
                announceEnd(0);
        }
        break;
    case QWebEngineLoadingInfo::LoadStoppedStatus:
        if (started_)
            announceEnd(0);
        break;
    }
    pending_ = false;
    started_ = false;
}

void LoadEventMapper::abandon() {
    abandoned_ = true;
    pending_ = false;
    started_ = false;
}

void LoadEventMapper::onUrlChanged() {
    if (pending_ && !started_ && !abandoned_)
        announceStart();
}

void LoadEventMapper::announceStart() {
    if (started_ || browser_.isClosed())
        return;
    started_ = true;
    browser_.refreshState();
    const auto client = browser_.GetClient();
    const auto handler = client ? client->GetLoadHandler() : nullptr;
    if (handler)
        handler->OnLoadStart(&browser_, browser_.GetMainFrame());
}

void LoadEventMapper::announceEnd(int httpStatusCode) {
    if (browser_.isClosed())
        return;
    browser_.refreshState();
    const auto client = browser_.GetClient();
    const auto handler = client ? client->GetLoadHandler() : nullptr;
    if (handler)
        handler->OnLoadEnd(&browser_, browser_.GetMainFrame(), httpStatusCode);
}

void LoadEventMapper::announceError(int errorCode, const QUrl& failedUrl,
                                    const QString& errorText) {
    if (browser_.isClosed())
        return;
    browser_.refreshState();
    const auto client = browser_.GetClient();
    const auto handler = client ? client->GetLoadHandler() : nullptr;
    if (!handler)
        return;
    CefString text = toCefString(errorText);
    const bool handled = handler->OnLoadError(&browser_, browser_.GetMainFrame(),
                                              static_cast<cef_handler_errorcode_t>(errorCode),
                                              toCefString(failedUrl), text);
    // A handled error shows the handler's text in place of the failed page.
    if (handled && !text.empty()) {
        browser_.onUi([html = toQString(text), failedUrl](BrowserPage& page) {
            page.setHtml(html, failedUrl);
        });
    }
}
