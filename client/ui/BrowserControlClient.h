#pragma once

#include "browser/wrapper/CefClient.h"
#include "browser/wrapper/CefLifeSpanHandler.h"

#include <QPointer>
#include <memory>
#include <mutex>

namespace plenfox::client::ui {

class BrowserControl;

// The client a control's browser is made with: it hands every handler
// request on to the control's inner client, and hears of the browser's
// creation itself so that the control keeps the browser. Handlers of the
// inner client receive the browser only as a NonDisposableBrowser.
class BrowserControlClient final : public cef::CefClient, public cef::CefLifeSpanHandler {
public:
    BrowserControlClient(BrowserControl* control, std::shared_ptr<cef::CefClient> innerClient);

    // The control is gone: later calls reach the inner client only.
    void detach();

    std::shared_ptr<cef::CefLifeSpanHandler> getLifeSpanHandler() override;
    std::shared_ptr<cef::CefLoadHandler> getLoadHandler() override;
    std::shared_ptr<cef::CefRequestHandler> getRequestHandler() override;
    std::shared_ptr<cef::CefDisplayHandler> getDisplayHandler() override;
    std::shared_ptr<cef::CefFocusHandler> getFocusHandler() override;
    std::shared_ptr<cef::CefKeyboardHandler> getKeyboardHandler() override;
    std::shared_ptr<cef::CefMenuHandler> getMenuHandler() override;
    std::shared_ptr<cef::CefPermissionHandler> getPermissionHandler() override;
    std::shared_ptr<cef::CefPrintHandler> getPrintHandler() override;
    std::shared_ptr<cef::CefFindHandler> getFindHandler() override;
    std::shared_ptr<cef::CefJSDialogHandler> getJSDialogHandler() override;
    std::shared_ptr<cef::CefV8ContextHandler> getV8ContextHandler() override;
    std::shared_ptr<cef::CefRenderHandler> getRenderHandler() override;
    std::shared_ptr<cef::CefDragHandler> getDragHandler() override;
    std::shared_ptr<cef::CefGeolocationHandler> getGeolocationHandler() override;
    std::shared_ptr<cef::CefZoomHandler> getZoomHandler() override;

    bool onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                       std::shared_ptr<cef::CefPopupFeatures> features,
                       std::shared_ptr<cef::CefWindowInfo> windowInfo, QString url,
                       std::shared_ptr<cef::CefClientBox> client,
                       std::shared_ptr<cef::CefBrowserSettings> settings) override;
    void onAfterCreated(std::shared_ptr<cef::CefBrowser> browser) override;
    bool runModal(std::shared_ptr<cef::CefBrowser> browser) override;
    bool doClose(std::shared_ptr<cef::CefBrowser> browser) override;
    void onBeforeClose(std::shared_ptr<cef::CefBrowser> browser) override;

private:
    std::shared_ptr<cef::CefLifeSpanHandler> innerLifeSpan();

    std::mutex lock;
    QPointer<BrowserControl> control;
    std::shared_ptr<cef::CefClient> innerClient;
};

} // namespace plenfox::client::ui
