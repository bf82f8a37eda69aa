#pragma once

#include "browser/wrapper/CefClientAdapter.h"
#include "browser/wrapper/CefDisposingHandlerAdapter.h"

#include <QString>
#include <memory>
#include <mutex>

namespace plenfox::client::ui {

class DesktopOpener;

// The client of the advertisement strip's browser: links clicked in the
// strip and its popups open in the player's own web browser.
class AdControlAdapter final : public cef::CefClientAdapter,
                               public cef::CefDisposingHandlerAdapter {
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

private:
    std::shared_ptr<DesktopOpener> opener;
};

} // namespace plenfox::client::ui
