#include "client/ui/AdControlAdapter.h"

#include "browser/wrapper/CefBrowser.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefRequest.h"
#include "browser/wrapper/CefResponse.h"
#include "browser/wrapper/CefStringBox.h"
#include "client/model/App.h"
#include "client/ui/DesktopOpener.h"

namespace plenfox::client::ui {

namespace {

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

AdControlAdapter::AdControlAdapter(std::shared_ptr<DesktopOpener> opener,
                                   std::function<void()> pageFailed)
    : opener(std::move(opener)), pageFailed(std::move(pageFailed)) {}

void AdControlAdapter::failed(const QString& why) {
    App::log(Prefix + QStringLiteral(".failed: the strip's page did not load (") + why +
             QStringLiteral("); the strip shows its own panel"));
    if (pageFailed)
        pageFailed();
}

void AdControlAdapter::onLoadEnd(std::shared_ptr<cef::CefBrowser> browser,
                                 std::shared_ptr<cef::CefFrame> frame, std::int32_t statusCode) {
    if (frame && frame->isMain()) {
        // A server's error page is no advertisement either.
        if (statusCode >= 400)
            failed(QStringLiteral("HTTP status ") + QString::number(statusCode));
        else
            frame->executeJavaScript(NoScrollBars, frame->getURL(), 0);
    }
    CefDisposingHandlerAdapter::onLoadEnd(std::move(browser), std::move(frame), statusCode);
}

bool AdControlAdapter::onLoadError(std::shared_ptr<cef::CefBrowser> browser,
                                   std::shared_ptr<cef::CefFrame> frame,
                                   std::optional<cef::CefHandlerErrorCode> errorCode,
                                   QString failedUrl,
                                   std::shared_ptr<cef::CefStringBox> errorText) {
    const bool main = frame && frame->isMain();
    CefDisposingHandlerAdapter::onLoadError(std::move(browser), std::move(frame), errorCode,
                                            failedUrl, nullptr);
    if (!main)
        return false;
    failed(QStringLiteral("error ") +
           (errorCode ? QString::number(static_cast<int>(*errorCode)) : QStringLiteral("null")) +
           QStringLiteral(" for [") + failedUrl + QLatin1Char(']'));
    // The engine shows this text in place of its error page.
    if (errorText)
        errorText->setValue(BlankPage);
    return true;
}

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

bool AdControlAdapter::onBeforeBrowse(std::shared_ptr<cef::CefBrowser> browser,
                                      std::shared_ptr<cef::CefFrame> frame,
                                      std::shared_ptr<cef::CefRequest> request,
                                      std::optional<cef::CefNavigationType> navigationType,
                                      bool isRedirect) {
    const QString url = request ? request->getURL() : QString();
    const bool main = frame && frame->isMain();
    App::log(Prefix + QStringLiteral(".onBeforeBrowse(") + url + QLatin1Char(',') +
             navigationText(navigationType) + QStringLiteral(",main:") +
             (main ? QStringLiteral("true") : QStringLiteral("false")) + QLatin1Char(')'));
    if (navigationType == cef::CefNavigationType::LINKCLICKED)
        opener->open(url);
    return CefDisposingHandlerAdapter::onBeforeBrowse(
        std::move(browser), std::move(frame), std::move(request), navigationType, isRedirect);
}

bool AdControlAdapter::onBeforeResourceLoad(std::shared_ptr<cef::CefBrowser> browser,
                                            std::shared_ptr<cef::CefRequest> request,
                                            std::shared_ptr<cef::CefStringBox> redirectUrl,
                                            std::shared_ptr<cef::CefStreamReaderBox> resourceStream,
                                            std::shared_ptr<cef::CefResponse> response,
                                            std::int32_t loadFlags) {
    App::log(Prefix + QStringLiteral(".onBeforeResourceLoad(") +
             (request ? request->getURL() : QString()) + QLatin1Char(')'));
    return CefDisposingHandlerAdapter::onBeforeResourceLoad(
        std::move(browser), std::move(request), std::move(redirectUrl), std::move(resourceStream),
        std::move(response), loadFlags);
}

} // namespace plenfox::client::ui
