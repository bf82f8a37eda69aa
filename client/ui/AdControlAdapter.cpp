#include "client/ui/AdControlAdapter.h"

#include "client/App.h"
#include "client/ui/DesktopOpener.h"
#include "lib/wrapper/cef/CefBrowser.h"
#include "lib/wrapper/cef/CefFrame.h"
#include "lib/wrapper/cef/CefRequest.h"
#include "lib/wrapper/cef/CefResponse.h"

namespace plenfox::client::ui {

namespace {

void release(const std::shared_ptr<cef::CefBrowser>& browser) {
    if (browser)
        browser->dispose();
}

void release(const std::shared_ptr<cef::CefFrame>& frame) {
    if (frame)
        frame->dispose();
}

QString navigationText(const std::optional<cef::CefNavigationType>& type) {
    if (!type)
        return QStringLiteral("null");
    switch (*type) {
    case cef::CefNavigationType::LINKCLICKED:
        return QStringLiteral("LINKCLICKED");
    case cef::CefNavigationType::FORMSUBMITTED:
        return QStringLiteral("FORMSUBMITTED");
    case cef::CefNavigationType::BACKFORWARD:
        return QStringLiteral("BACKFORWARD");
    case cef::CefNavigationType::RELOAD:
        return QStringLiteral("RELOAD");
    case cef::CefNavigationType::FORMRESUBMITTED:
        return QStringLiteral("FORMRESUBMITTED");
    case cef::CefNavigationType::OTHER:
        return QStringLiteral("OTHER");
    case cef::CefNavigationType::LINKDROPPED:
        return QStringLiteral("LINKDROPPED");
    }
    return QStringLiteral("null");
}

} // namespace

AdControlAdapter::AdControlAdapter(std::shared_ptr<DesktopOpener> opener)
    : opener(std::move(opener)) {}

std::shared_ptr<cef::CefLifeSpanHandler> AdControlAdapter::getLifeSpanHandler() {
    return std::dynamic_pointer_cast<cef::CefLifeSpanHandler>(shared_from_this());
}

std::shared_ptr<cef::CefLoadHandler> AdControlAdapter::getLoadHandler() {
    return std::dynamic_pointer_cast<cef::CefLoadHandler>(shared_from_this());
}

std::shared_ptr<cef::CefRequestHandler> AdControlAdapter::getRequestHandler() {
    return std::dynamic_pointer_cast<cef::CefRequestHandler>(shared_from_this());
}

bool AdControlAdapter::onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                                     std::shared_ptr<cef::CefPopupFeatures>,
                                     std::shared_ptr<cef::CefWindowInfo>, QString url,
                                     std::shared_ptr<cef::CefClientBox>,
                                     std::shared_ptr<cef::CefBrowserSettings>) {
    release(parent);
    opener->open(url);
    return true;
}

bool AdControlAdapter::runModal(std::shared_ptr<cef::CefBrowser> browser) {
    release(browser);
    return false;
}

bool AdControlAdapter::doClose(std::shared_ptr<cef::CefBrowser> browser) {
    release(browser);
    return false;
}

void AdControlAdapter::onBeforeClose(std::shared_ptr<cef::CefBrowser> browser) {
    release(browser);
}

void AdControlAdapter::onLoadStart(std::shared_ptr<cef::CefBrowser> browser,
                                   std::shared_ptr<cef::CefFrame> frame) {
    release(frame);
    release(browser);
}

void AdControlAdapter::onLoadEnd(std::shared_ptr<cef::CefBrowser> browser,
                                 std::shared_ptr<cef::CefFrame> frame, std::int32_t) {
    release(frame);
    release(browser);
}

bool AdControlAdapter::onLoadError(std::shared_ptr<cef::CefBrowser> browser,
                                   std::shared_ptr<cef::CefFrame> frame,
                                   std::optional<cef::CefHandlerErrorCode>, QString,
                                   std::shared_ptr<cef::CefStringBox>) {
    release(frame);
    release(browser);
    return false;
}

bool AdControlAdapter::onBeforeBrowse(std::shared_ptr<cef::CefBrowser> browser,
                                      std::shared_ptr<cef::CefFrame> frame,
                                      std::shared_ptr<cef::CefRequest> request,
                                      std::optional<cef::CefNavigationType> navigationType, bool) {
    const QString url = request ? request->getURL() : QString();
    const bool main = frame && frame->isMain();
    App::log(Prefix + QStringLiteral(".onBeforeBrowse(") + url + QLatin1Char(',') +
             navigationText(navigationType) + QStringLiteral(",main:") +
             (main ? QStringLiteral("true") : QStringLiteral("false")) + QLatin1Char(')'));
    if (navigationType == cef::CefNavigationType::LINKCLICKED)
        opener->open(url);
    if (request)
        request->dispose();
    release(frame);
    release(browser);
    return false;
}

bool AdControlAdapter::onBeforeResourceLoad(std::shared_ptr<cef::CefBrowser> browser,
                                            std::shared_ptr<cef::CefRequest> request,
                                            std::shared_ptr<cef::CefStringBox>,
                                            std::shared_ptr<cef::CefStreamReaderBox>,
                                            std::shared_ptr<cef::CefResponse> response,
                                            std::int32_t) {
    App::log(Prefix + QStringLiteral(".onBeforeResourceLoad(") +
             (request ? request->getURL() : QString()) + QLatin1Char(')'));
    if (request)
        request->dispose();
    if (response)
        response->dispose();
    release(browser);
    return false;
}

void AdControlAdapter::onResourceRedirect(std::shared_ptr<cef::CefBrowser> browser, QString,
                                          std::shared_ptr<cef::CefStringBox>) {
    release(browser);
}

void AdControlAdapter::onResourceResponse(std::shared_ptr<cef::CefBrowser> browser, QString,
                                          std::shared_ptr<cef::CefResponse> response,
                                          std::shared_ptr<cef::CefContentFilterBox>) {
    if (response)
        response->dispose();
    release(browser);
}

bool AdControlAdapter::onProtocolExecution(std::shared_ptr<cef::CefBrowser> browser, QString,
                                           std::shared_ptr<cef::CefBooleanBox>) {
    release(browser);
    return false;
}

bool AdControlAdapter::getDownloadHandler(std::shared_ptr<cef::CefBrowser> browser, QString,
                                          QString, std::int64_t,
                                          std::shared_ptr<cef::CefDownloadHandlerBox>) {
    release(browser);
    return false;
}

bool AdControlAdapter::getAuthCredentials(std::shared_ptr<cef::CefBrowser> browser, bool, QString,
                                          std::int32_t, QString, QString,
                                          std::shared_ptr<cef::CefStringBox>,
                                          std::shared_ptr<cef::CefStringBox>) {
    release(browser);
    return false;
}

std::shared_ptr<cef::CefCookieManager>
AdControlAdapter::getCookieManager(std::shared_ptr<cef::CefBrowser> browser, QString) {
    release(browser);
    return nullptr;
}

} // namespace plenfox::client::ui
