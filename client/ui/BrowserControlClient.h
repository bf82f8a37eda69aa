#pragma once

#include "browser/wrapper/CefClient.h"
#include "browser/wrapper/CefLifeSpanHandler.h"

#include <QPointer>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace plenfox::client::ui {

class BrowserControl;

// The client a control's browser is made with: it hands every handler
// request on to the control's inner client, and hears of the browser's
// creation itself so that the control keeps the browser. Only the browser
// the control asked for becomes the control's: popups that the inner client
// lets open also arrive here (they share their opener's client), and this
// client owns them until they close or it is detached; any other browser is
// closed at once. Handlers of the inner client receive the browsers only as
// NonDisposableBrowser.
class BrowserControlClient final : public cef::CefClient, public cef::CefLifeSpanHandler {
public:
    BrowserControlClient(BrowserControl* control, std::shared_ptr<cef::CefClient> innerClient);

    // The control is gone or asked for another browser: later calls reach
    // the inner client only, the popups are closed and a browser still to
    // come is closed when it arrives.
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

    // Takes the popup of that window out of the owned ones, or null.
    std::shared_ptr<cef::CefBrowser> takePopup(std::int64_t window);

    std::mutex lock;
    QPointer<BrowserControl> control;
    std::shared_ptr<cef::CefClient> innerClient;
    // Whether the browser the control asked for has arrived.
    bool controlsBrowserArrived = false;
    struct Popup {
        std::int64_t window = 0;
        std::shared_ptr<cef::CefBrowser> browser;
    };
    std::vector<Popup> popups;
};

} // namespace plenfox::client::ui
