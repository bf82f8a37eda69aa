#pragma once

#include "browser/wrapper/CefDisposingHandlerAdapter.h"

#include <QPointer>
#include <QString>
#include <memory>
#include <mutex>

namespace plenfox::client::ui {

class BrowserPanel;
class PanelHost;

// The "Web" tab browser's life-span, load and request handler. Calls come on
// the engine's threads: it logs navigation, keeps the toolbar in step (by
// posting to the GUI thread), sends popups to the player's own browser, and
// hands accepted zip downloads to the client's download recognizer.
class BrowserPanelHandler final : public cef::CefDisposingHandlerAdapter {
public:
    static inline const QString Prefix =
        QStringLiteral("class com.plenfox.kesh.client.ui.BrowserPanel");

    BrowserPanelHandler(BrowserPanel* panel, PanelHost& host);
    // The panel is going away: from now on nothing reaches it or its window.
    void detach();

    // The text of the dialog for a refused download: why, then what the
    // site announced.
    static QString refusedDownloadText(const QString& reason, const QString& mimeType,
                                       std::int64_t contentLength);

    bool onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                       std::shared_ptr<cef::CefPopupFeatures> features,
                       std::shared_ptr<cef::CefWindowInfo> windowInfo, QString url,
                       std::shared_ptr<cef::CefClientBox> client,
                       std::shared_ptr<cef::CefBrowserSettings> settings) override;

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
    void onResourceRedirect(std::shared_ptr<cef::CefBrowser> browser, QString oldUrl,
                            std::shared_ptr<cef::CefStringBox> newUrl) override;
    bool onProtocolExecution(std::shared_ptr<cef::CefBrowser> browser, QString url,
                             std::shared_ptr<cef::CefBooleanBox> allowOsExecution) override;
    bool getDownloadHandler(std::shared_ptr<cef::CefBrowser> browser, QString mimeType,
                            QString fileName, std::int64_t contentLength,
                            std::shared_ptr<cef::CefDownloadHandlerBox> handler) override;

private:
    // Posts the toolbar update for a main-frame load event of a non-popup.
    void loadEvent(const std::shared_ptr<cef::CefBrowser>& browser,
                   const std::shared_ptr<cef::CefFrame>& frame, bool loading);
    // The panel and its host, or nulls once detached.
    std::pair<BrowserPanel*, PanelHost*> target();

    std::mutex lock;
    QPointer<BrowserPanel> panel;
    PanelHost* host;
};

} // namespace plenfox::client::ui
