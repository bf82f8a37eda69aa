#include "browser/wrapper/CefDisposingHandlerAdapter.h"

namespace plenfox::cef {

void CefDisposingHandlerAdapter::release(const std::shared_ptr<CefBrowser>& browser) {
    if (browser)
        browser->dispose();
}

void CefDisposingHandlerAdapter::release(const std::shared_ptr<CefFrame>& frame) {
    if (frame)
        frame->dispose();
}

// --- life span ----------------------------------------------------------

bool CefDisposingHandlerAdapter::onBeforePopup(std::shared_ptr<CefBrowser> parent,
                                               std::shared_ptr<CefPopupFeatures>,
                                               std::shared_ptr<CefWindowInfo>, QString,
                                               std::shared_ptr<CefClientBox>,
                                               std::shared_ptr<CefBrowserSettings>) {
    release(parent);
    return false;
}

bool CefDisposingHandlerAdapter::runModal(std::shared_ptr<CefBrowser> browser) {
    release(browser);
    return false;
}

bool CefDisposingHandlerAdapter::doClose(std::shared_ptr<CefBrowser> browser) {
    release(browser);
    return false;
}

void CefDisposingHandlerAdapter::onBeforeClose(std::shared_ptr<CefBrowser> browser) {
    release(browser);
}

// --- loading ------------------------------------------------------------

void CefDisposingHandlerAdapter::onLoadStart(std::shared_ptr<CefBrowser> browser,
                                             std::shared_ptr<CefFrame> frame) {
    release(frame);
    release(browser);
}

void CefDisposingHandlerAdapter::onLoadEnd(std::shared_ptr<CefBrowser> browser,
                                           std::shared_ptr<CefFrame> frame, std::int32_t) {
    release(frame);
    release(browser);
}

bool CefDisposingHandlerAdapter::onLoadError(std::shared_ptr<CefBrowser> browser,
                                             std::shared_ptr<CefFrame> frame,
                                             std::optional<CefHandlerErrorCode>, QString,
                                             std::shared_ptr<CefStringBox>) {
    release(frame);
    release(browser);
    return false;
}

// --- requests -----------------------------------------------------------

bool CefDisposingHandlerAdapter::onBeforeBrowse(std::shared_ptr<CefBrowser> browser,
                                                std::shared_ptr<CefFrame> frame,
                                                std::shared_ptr<CefRequest> request,
                                                std::optional<CefNavigationType>, bool) {
    if (request)
        request->dispose();
    release(frame);
    release(browser);
    return false;
}

bool CefDisposingHandlerAdapter::onBeforeResourceLoad(std::shared_ptr<CefBrowser> browser,
                                                      std::shared_ptr<CefRequest> request,
                                                      std::shared_ptr<CefStringBox>,
                                                      std::shared_ptr<CefStreamReaderBox>,
                                                      std::shared_ptr<CefResponse> response,
                                                      std::int32_t) {
    if (request)
        request->dispose();
    if (response)
        response->dispose();
    release(browser);
    return false;
}

void CefDisposingHandlerAdapter::onResourceRedirect(std::shared_ptr<CefBrowser> browser, QString,
                                                    std::shared_ptr<CefStringBox>) {
    release(browser);
}

void CefDisposingHandlerAdapter::onResourceResponse(std::shared_ptr<CefBrowser> browser, QString,
                                                    std::shared_ptr<CefResponse> response,
                                                    std::shared_ptr<CefContentFilterBox>) {
    if (response)
        response->dispose();
    release(browser);
}

bool CefDisposingHandlerAdapter::onProtocolExecution(std::shared_ptr<CefBrowser> browser, QString,
                                                     std::shared_ptr<CefBooleanBox>) {
    release(browser);
    return false;
}

bool CefDisposingHandlerAdapter::getDownloadHandler(std::shared_ptr<CefBrowser> browser, QString,
                                                    QString, std::int64_t,
                                                    std::shared_ptr<CefDownloadHandlerBox>) {
    release(browser);
    return false;
}

bool CefDisposingHandlerAdapter::getAuthCredentials(std::shared_ptr<CefBrowser> browser, bool,
                                                    QString, std::int32_t, QString, QString,
                                                    std::shared_ptr<CefStringBox>,
                                                    std::shared_ptr<CefStringBox>) {
    release(browser);
    return false;
}

std::shared_ptr<CefCookieManager>
CefDisposingHandlerAdapter::getCookieManager(std::shared_ptr<CefBrowser> browser, QString) {
    release(browser);
    return nullptr;
}

} // namespace plenfox::cef
