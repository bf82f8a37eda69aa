#pragma once

#include "browser/wrapper/CefClientAdapter.h"
#include "browser/wrapper/CefDisposingHandlerAdapter.h"

#include <QString>
#include <functional>
#include <memory>
#include <mutex>

namespace plenfox::client::ui {

class DesktopOpener;

// The client of the advertisement strip's browser: links clicked in the
// strip and its popups open in the player's own web browser. A strip page
// that fails to load never shows the browser's error page: the strip is told
// (and shows a plain panel of its own until the next start); a page that
// loads is kept from showing scroll bars.
class AdControlAdapter final : public cef::CefClientAdapter,
                               public cef::CefDisposingHandlerAdapter {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.ui.AdControlAdapter");
    // What the failed page is replaced with while the strip switches over.
    static inline const QString BlankPage = QStringLiteral(
        "<!DOCTYPE html><html><body style=\"margin:0;overflow:hidden;background:#24323f\">"
        "</body></html>");
    // Hides the scroll bars of a page larger than the strip.
    static inline const QString NoScrollBars = QStringLiteral(
        "document.documentElement.style.overflow='hidden';"
        "if(document.body)document.body.style.overflow='hidden';");

    // pageFailed is called, on any thread, when the strip's page failed to
    // load; it may be empty.
    explicit AdControlAdapter(std::shared_ptr<DesktopOpener> opener,
                              std::function<void()> pageFailed = {});

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
    void onLoadEnd(std::shared_ptr<cef::CefBrowser> browser, std::shared_ptr<cef::CefFrame> frame,
                   std::int32_t statusCode) override;
    bool onLoadError(std::shared_ptr<cef::CefBrowser> browser, std::shared_ptr<cef::CefFrame> frame,
                     std::optional<cef::CefHandlerErrorCode> errorCode, QString failedUrl,
                     std::shared_ptr<cef::CefStringBox> errorText) override;

private:
    void failed(const QString& why);

    std::shared_ptr<DesktopOpener> opener;
    std::function<void()> pageFailed;
};

} // namespace plenfox::client::ui
