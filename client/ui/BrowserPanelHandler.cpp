#include "client/ui/BrowserPanelHandler.h"

#include "browser/wrapper/CefBrowser.h"
#include "browser/wrapper/CefBrowserSettings.h"
#include "browser/wrapper/CefDownloadHandlerBox.h"
#include "browser/wrapper/CefFrame.h"
#include "browser/wrapper/CefRequest.h"
#include "browser/wrapper/CefResponse.h"
#include "browser/wrapper/CefStringBox.h"
#include "browser/wrapper/CefWindowInfo.h"
#include "client/model/App.h"
#include "client/model/Client.h"
#include "client/model/downloads/DownloadAttributes.h"
#include "client/model/downloads/DownloadRecognizer.h"
#include "client/ui/BrowserPanel.h"
#include "client/ui/DesktopOpener.h"
#include "client/ui/DownloadHandlerAdapter.h"
#include "client/ui/MessageBoxes.h"
#include "client/ui/PanelHost.h"

namespace plenfox::client::ui {

namespace {

QString mainFrameUrl(const std::shared_ptr<cef::CefBrowser>& browser) {
    if (!browser)
        return QString();
    const std::shared_ptr<cef::CefFrame> frame = browser->getMainFrame();
    const QString url = frame ? frame->getURL() : QString();
    if (frame)
        frame->dispose();
    return url;
}

} // namespace

BrowserPanelHandler::BrowserPanelHandler(BrowserPanel* panel, PanelHost& host)
    : panel(panel), host(&host) {}

void BrowserPanelHandler::detach() {
    std::lock_guard guard(lock);
    panel.clear();
    host = nullptr;
}

std::pair<BrowserPanel*, PanelHost*> BrowserPanelHandler::target() {
    std::lock_guard guard(lock);
    return {panel.data(), host};
}

QString BrowserPanelHandler::refusedDownloadText(const QString& reason, const QString& mimeType,
                                                 std::int64_t contentLength) {
    return QStringLiteral("Plenfox Client can't take this download: ") + reason +
           QStringLiteral("\n\nTry this page in your usual web browser instead. (Type=[") +
           mimeType + QStringLiteral("] Size=[") + QString::number(contentLength) +
           QStringLiteral("])");
}

// --- life span ----------------------------------------------------------

bool BrowserPanelHandler::onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                                        std::shared_ptr<cef::CefPopupFeatures>,
                                        std::shared_ptr<cef::CefWindowInfo>, QString url,
                                        std::shared_ptr<cef::CefClientBox>,
                                        std::shared_ptr<cef::CefBrowserSettings>) {
    App::log(Prefix + QStringLiteral(".onBeforePopup(") + url + QLatin1Char(')'));
    release(parent);
    if (auto [shown, window] = target(); window)
        window->desktopOpener().open(url);
    // No popup windows inside the program.
    return true;
}

// --- loading ------------------------------------------------------------

void BrowserPanelHandler::loadEvent(const std::shared_ptr<cef::CefBrowser>& browser,
                                    const std::shared_ptr<cef::CefFrame>& frame, bool loading) {
    if (!browser || !frame || !frame->isMain() || browser->isPopup())
        return;
    const bool back = browser->canGoBack();
    const bool forward = browser->canGoForward();
    const QString url = mainFrameUrl(browser);
    auto [shown, window] = target();
    if (!shown)
        return;
    QMetaObject::invokeMethod(
        shown,
        [shown = shown, back, forward, url, loading] {
            shown->updateControls(back, forward, url);
            shown->setLoading(loading);
        },
        Qt::QueuedConnection);
}

void BrowserPanelHandler::onLoadStart(std::shared_ptr<cef::CefBrowser> browser,
                                      std::shared_ptr<cef::CefFrame> frame) {
    loadEvent(browser, frame, true);
    CefDisposingHandlerAdapter::onLoadStart(std::move(browser), std::move(frame));
}

void BrowserPanelHandler::onLoadEnd(std::shared_ptr<cef::CefBrowser> browser,
                                    std::shared_ptr<cef::CefFrame> frame, std::int32_t statusCode) {
    loadEvent(browser, frame, false);
    CefDisposingHandlerAdapter::onLoadEnd(std::move(browser), std::move(frame), statusCode);
}

bool BrowserPanelHandler::onLoadError(std::shared_ptr<cef::CefBrowser> browser,
                                      std::shared_ptr<cef::CefFrame> frame,
                                      std::optional<cef::CefHandlerErrorCode> errorCode,
                                      QString failedUrl,
                                      std::shared_ptr<cef::CefStringBox> errorText) {
    loadEvent(browser, frame, false);
    return CefDisposingHandlerAdapter::onLoadError(std::move(browser), std::move(frame), errorCode,
                                                   std::move(failedUrl), std::move(errorText));
}

// --- requests -----------------------------------------------------------

bool BrowserPanelHandler::onBeforeBrowse(std::shared_ptr<cef::CefBrowser> browser,
                                         std::shared_ptr<cef::CefFrame> frame,
                                         std::shared_ptr<cef::CefRequest> request,
                                         std::optional<cef::CefNavigationType> navigationType,
                                         bool isRedirect) {
    App::log(Prefix + QStringLiteral(".onBeforeBrowse(") +
             (request ? request->getURL() : QString()) + QLatin1Char(')'));
    return CefDisposingHandlerAdapter::onBeforeBrowse(
        std::move(browser), std::move(frame), std::move(request), navigationType, isRedirect);
}

bool BrowserPanelHandler::onBeforeResourceLoad(
    std::shared_ptr<cef::CefBrowser> browser, std::shared_ptr<cef::CefRequest> request,
    std::shared_ptr<cef::CefStringBox> redirectUrl,
    std::shared_ptr<cef::CefStreamReaderBox> resourceStream,
    std::shared_ptr<cef::CefResponse> response, std::int32_t loadFlags) {
    App::log(Prefix + QStringLiteral(".onBeforeResourceLoad(") +
             (request ? request->getURL() : QString()) + QLatin1Char(')'));
    return CefDisposingHandlerAdapter::onBeforeResourceLoad(
        std::move(browser), std::move(request), std::move(redirectUrl), std::move(resourceStream),
        std::move(response), loadFlags);
}

void BrowserPanelHandler::onResourceRedirect(std::shared_ptr<cef::CefBrowser> browser,
                                             QString oldUrl,
                                             std::shared_ptr<cef::CefStringBox> newUrl) {
    App::log(Prefix + QStringLiteral(".onResourceRedirect(") + oldUrl + QLatin1Char(',') +
             (newUrl ? newUrl->getValue() : QString()) + QLatin1Char(')'));
    CefDisposingHandlerAdapter::onResourceRedirect(std::move(browser), std::move(oldUrl),
                                                   std::move(newUrl));
}

bool BrowserPanelHandler::onProtocolExecution(
    std::shared_ptr<cef::CefBrowser> browser, QString url,
    std::shared_ptr<cef::CefBooleanBox> allowOsExecution) {
    App::log(Prefix + QStringLiteral(".onProtocolExecution(") + url + QLatin1Char(')'));
    return CefDisposingHandlerAdapter::onProtocolExecution(std::move(browser), std::move(url),
                                                           std::move(allowOsExecution));
}

bool BrowserPanelHandler::getDownloadHandler(std::shared_ptr<cef::CefBrowser> browser,
                                             QString mimeType, QString fileName,
                                             std::int64_t contentLength,
                                             std::shared_ptr<cef::CefDownloadHandlerBox> box) {
    App::log(Prefix + QStringLiteral(".getDownloadHandler(") + mimeType + QLatin1Char(',') +
             fileName + QLatin1Char(',') + QString::number(contentLength) + QLatin1Char(')'));
    const QString url = mainFrameUrl(browser);
    App::log(Prefix + QStringLiteral(".getDownloadHandler: url[") + url + QLatin1Char(']'));
    release(browser);

    auto [shown, window] = target();
    model::DownloadAttributes attributes;
    attributes.fileName = fileName.isNull() ? QStringLiteral("") : fileName;
    attributes.contentLength = contentLength;
    attributes.mimeType = mimeType.isNull() ? QStringLiteral("") : mimeType;
    attributes.documentUrl = url;
    // A page may start a download from a script without any click: only one
    // that follows the player's own input is installed at once.
    attributes.startedByPlayer = window && window->playerActedRecently();
    if (!attributes.startedByPlayer)
        App::log(Prefix + QStringLiteral(".getDownloadHandler: no input from the player before "
                                         "this download"));

    model::Client* client = window ? window->getClient() : nullptr;
    const auto recognizer = client ? client->getDownloadRecognizer() : nullptr;
    QString reason;
    std::shared_ptr<DownloadHandlerAdapter> accepted;
    if (!recognizer || !client->isInitialized()) {
        const QString failure = window ? window->startFailure() : QString();
        reason = failure.isEmpty()
                     ? QStringLiteral("the program is still starting; try again in a moment.")
                     : QStringLiteral("the program failed to start (") + failure +
                           QStringLiteral(").");
    } else if (const auto refusal = model::DownloadRecognizer::check(attributes);
               refusal != model::DownloadRecognizer::Refusal::None) {
        reason = model::DownloadRecognizer::refusalText(refusal, attributes);
    } else {
        accepted = DownloadHandlerAdapter::accept(*recognizer, attributes);
        if (!accepted)
            reason = QStringLiteral("it could not be stored in the downloads folder.");
    }
    if (accepted && box) {
        box->setValue(accepted);
        if (shown)
            QMetaObject::invokeMethod(
                shown, [window = window] { window->showDownloadsTab(); }, Qt::QueuedConnection);
        return true;
    }
    App::log(Prefix + QStringLiteral(".getDownloadHandler: unable to recognize [") + mimeType +
             QStringLiteral("] [") + fileName + QStringLiteral("]: ") + reason);
    if (shown)
        QMetaObject::invokeMethod(
            shown,
            [window = window, text = refusedDownloadText(reason, mimeType, contentLength)] {
                MessageBoxes::showInformation(window->dialogOwner(),
                                              QStringLiteral("Can't download that file."), text);
            },
            Qt::QueuedConnection);
    return false;
}

} // namespace plenfox::client::ui
