#include "BrowserLoadEvents.h"

#include "BrowserImpl.h"
#include "BrowserPage.h"
#include "QtText.h"
#include "cef_load_handler.h"

namespace {

CefRefPtr<CefLoadHandler> loadHandlerOf(BrowserImpl& browser) {
    const auto client = browser.GetClient();
    return client ? client->GetLoadHandler() : nullptr;
}

} // namespace

void BrowserLoadEvents::loadStarted() {
    if (browser_.isClosed())
        return;
    browser_.refreshState();
    if (const auto handler = loadHandlerOf(browser_))
        handler->OnLoadStart(&browser_, browser_.GetMainFrame());
}

void BrowserLoadEvents::loadEnded(int httpStatusCode) {
    if (browser_.isClosed())
        return;
    browser_.refreshState();
    if (const auto handler = loadHandlerOf(browser_))
        handler->OnLoadEnd(&browser_, browser_.GetMainFrame(), httpStatusCode);
}

void BrowserLoadEvents::loadFailed(int errorCode, const QUrl& failedUrl, const QString& errorText) {
    if (browser_.isClosed())
        return;
    browser_.refreshState();
    const auto handler = loadHandlerOf(browser_);
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
