#include "client/ui/BrowserControlClient.h"

#include "browser/wrapper/CefBrowserSettings.h"
#include "browser/wrapper/CefWindowInfo.h"
#include "client/ui/BrowserControl.h"
#include "client/ui/NonDisposableBrowser.h"

namespace plenfox::client::ui {

BrowserControlClient::BrowserControlClient(BrowserControl* control,
                                           std::shared_ptr<cef::CefClient> innerClient)
    : control(control), innerClient(std::move(innerClient)) {}

void BrowserControlClient::detach() {
    std::lock_guard guard(lock);
    control.clear();
}

std::shared_ptr<cef::CefLifeSpanHandler> BrowserControlClient::innerLifeSpan() {
    return innerClient ? innerClient->getLifeSpanHandler() : nullptr;
}

std::shared_ptr<cef::CefLifeSpanHandler> BrowserControlClient::getLifeSpanHandler() {
    return std::dynamic_pointer_cast<cef::CefLifeSpanHandler>(shared_from_this());
}

#define PLENFOX_FORWARD(Getter, Type)                                                              \
    std::shared_ptr<cef::Type> BrowserControlClient::Getter() {                                    \
        return innerClient ? innerClient->Getter() : nullptr;                                      \
    }
PLENFOX_FORWARD(getLoadHandler, CefLoadHandler)
PLENFOX_FORWARD(getRequestHandler, CefRequestHandler)
PLENFOX_FORWARD(getDisplayHandler, CefDisplayHandler)
PLENFOX_FORWARD(getFocusHandler, CefFocusHandler)
PLENFOX_FORWARD(getKeyboardHandler, CefKeyboardHandler)
PLENFOX_FORWARD(getMenuHandler, CefMenuHandler)
PLENFOX_FORWARD(getPermissionHandler, CefPermissionHandler)
PLENFOX_FORWARD(getPrintHandler, CefPrintHandler)
PLENFOX_FORWARD(getFindHandler, CefFindHandler)
PLENFOX_FORWARD(getJSDialogHandler, CefJSDialogHandler)
PLENFOX_FORWARD(getV8ContextHandler, CefV8ContextHandler)
PLENFOX_FORWARD(getRenderHandler, CefRenderHandler)
PLENFOX_FORWARD(getDragHandler, CefDragHandler)
PLENFOX_FORWARD(getGeolocationHandler, CefGeolocationHandler)
PLENFOX_FORWARD(getZoomHandler, CefZoomHandler)
#undef PLENFOX_FORWARD

bool BrowserControlClient::onBeforePopup(std::shared_ptr<cef::CefBrowser> parent,
                                         std::shared_ptr<cef::CefPopupFeatures> features,
                                         std::shared_ptr<cef::CefWindowInfo> windowInfo,
                                         QString url, std::shared_ptr<cef::CefClientBox> client,
                                         std::shared_ptr<cef::CefBrowserSettings> settings) {
    if (auto inner = innerLifeSpan())
        return inner->onBeforePopup(std::move(parent), std::move(features), std::move(windowInfo),
                                    std::move(url), std::move(client), std::move(settings));
    // Nobody to ask: no popup windows inside the program.
    if (parent)
        parent->dispose();
    return true;
}

void BrowserControlClient::onAfterCreated(std::shared_ptr<cef::CefBrowser> browser) {
    if (!browser)
        return;
    QPointer<BrowserControl> owner;
    {
        std::lock_guard guard(lock);
        owner = control;
    }
    // The engine's UI thread is the GUI thread; the control keeps the browser.
    // A browser that arrives after its control went is closed at once.
    if (owner) {
        owner->onAfterCreated(browser);
    } else {
        browser->close();
        browser->dispose();
        return;
    }
    if (auto inner = innerLifeSpan())
        inner->onAfterCreated(std::make_shared<NonDisposableBrowser>(browser));
}

bool BrowserControlClient::runModal(std::shared_ptr<cef::CefBrowser> browser) {
    if (auto inner = innerLifeSpan())
        return inner->runModal(std::move(browser));
    if (browser)
        browser->dispose();
    return false;
}

bool BrowserControlClient::doClose(std::shared_ptr<cef::CefBrowser> browser) {
    if (auto inner = innerLifeSpan())
        return inner->doClose(std::move(browser));
    if (browser)
        browser->dispose();
    return false;
}

void BrowserControlClient::onBeforeClose(std::shared_ptr<cef::CefBrowser> browser) {
    if (auto inner = innerLifeSpan()) {
        inner->onBeforeClose(std::move(browser));
        return;
    }
    if (browser)
        browser->dispose();
}

} // namespace plenfox::client::ui
