#pragma once

#include "lib/wrapper/cef/CefClientAdapter.h"
#include "lib/wrapper/cef/CefLifeSpanHandler.h"
#include "lib/wrapper/cef/CefLoadHandler.h"
#include "lib/wrapper/cef/CefRequestHandler.h"

#include <QString>
#include <memory>
#include <mutex>

namespace plenfox::client::ui {

class DesktopOpener;

// The client of the advertisement strip's browser: links clicked in the
// strip and its popups open in the player's own web browser.
class AdControlAdapter final : public cef::CefClientAdapter,
                               public cef::CefLifeSpanHandler,
                               public cef::CefLoadHandler,
                               public cef::CefRequestHandler {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.ui.AdControlAdapter");

    explicit AdControlAdapter(std::shared_ptr<DesktopOpener> opener);

    std::shared_ptr<cef::CefLifeSpanHandler> getLifeSpanHandler() override;
    std::shared_ptr<cef::CefLoadHandler> getLoadHandler() override;
    std::shared_ptr<cef::CefRequestHandler> getRequestHandler() override;

    bool onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                       std::shared_ptr<cef::CefPopupFeatures> features,
                       std::shared_ptr<cef::CefWindowInfo> windowInfo, QString url,
                       std::shared_ptr<cef::CefClientBox> client,
                       std::shared_ptr<cef::CefBrowserSettings> settings) override;
    void onAfterCreated(std::shared_ptr<cef::CefBrowser>) override {}
    bool runModal(std::shared_ptr<cef::CefBrowser> browser) override;
    bool doClose(std::shared_ptr<cef::CefBrowser> browser) override;
    void onBeforeClose(std::shared_ptr<cef::CefBrowser> browser) override;

    void onLoadStart(std::shared_ptr<cef::CefBrowser> browser,
                     std::shared_ptr<cef::CefFrame> frame) override;
    void onLoadEnd(std::shared_ptr<cef::CefBrowser> browser, std::shared_ptr<cef::CefFrame> frame,
                   std::int32_t statusCode) override;
    bool onLoadError(std::shared_ptr<cef::CefBrowser> browser, std::shared_ptr<cef::CefFrame> frame,
                     std::optional<cef::CefHandlerErrorCode> errorCode, QString failedUrl,
                     std::shared_ptr<cef::CefStringBox> errorText) override;

    bool onBeforeBrowse(std::shared_ptr<cef::CefBrowser> browser,
                        std::shared_ptr<cef::CefFrame> frame,
                        std::shared_ptr<cef::CefRequest> request,
                        std::optional<cef::CefNavigationType> navigationType,
                        bool isRedirect) override;
    bool onBeforeResourceLoad(std::shared_ptr<cef::CefBrowser> browser,
                              std::shared_ptr<cef::CefRequest> request,
                              std::shared_ptr<cef::CefStringBox> redirectUrl,
                              std::shared_ptr<cef::CefStreamReaderBox> resourceStream,
                              std::shared_ptr<cef::CefResponse> response,
                              std::int32_t loadFlags) override;
    void onResourceRedirect(std::shared_ptr<cef::CefBrowser> browser, QString,
                            std::shared_ptr<cef::CefStringBox>) override;
    void onResourceResponse(std::shared_ptr<cef::CefBrowser> browser, QString,
                            std::shared_ptr<cef::CefResponse> response,
                            std::shared_ptr<cef::CefContentFilterBox>) override;
    bool onProtocolExecution(std::shared_ptr<cef::CefBrowser> browser, QString,
                             std::shared_ptr<cef::CefBooleanBox>) override;
    bool getDownloadHandler(std::shared_ptr<cef::CefBrowser> browser, QString, QString,
                            std::int64_t, std::shared_ptr<cef::CefDownloadHandlerBox>) override;
    bool getAuthCredentials(std::shared_ptr<cef::CefBrowser> browser, bool, QString, std::int32_t,
                            QString, QString, std::shared_ptr<cef::CefStringBox>,
                            std::shared_ptr<cef::CefStringBox>) override;
    std::shared_ptr<cef::CefCookieManager>
    getCookieManager(std::shared_ptr<cef::CefBrowser> browser, QString) override;

private:
    std::shared_ptr<DesktopOpener> opener;
};

} // namespace plenfox::client::ui
