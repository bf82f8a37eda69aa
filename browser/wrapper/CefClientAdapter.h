#pragma once

#include "browser/wrapper/CefClient.h"

namespace plenfox::cef {

// A client without handlers; clients override the getters they need.
class CefClientAdapter : public CefClient {
public:
    std::shared_ptr<CefLifeSpanHandler> getLifeSpanHandler() override { return nullptr; }
    std::shared_ptr<CefLoadHandler> getLoadHandler() override { return nullptr; }
    std::shared_ptr<CefRequestHandler> getRequestHandler() override { return nullptr; }
    std::shared_ptr<CefDisplayHandler> getDisplayHandler() override { return nullptr; }
    std::shared_ptr<CefFocusHandler> getFocusHandler() override { return nullptr; }
    std::shared_ptr<CefKeyboardHandler> getKeyboardHandler() override { return nullptr; }
    std::shared_ptr<CefMenuHandler> getMenuHandler() override { return nullptr; }
    std::shared_ptr<CefPermissionHandler> getPermissionHandler() override { return nullptr; }
    std::shared_ptr<CefPrintHandler> getPrintHandler() override { return nullptr; }
    std::shared_ptr<CefFindHandler> getFindHandler() override { return nullptr; }
    std::shared_ptr<CefJSDialogHandler> getJSDialogHandler() override { return nullptr; }
    std::shared_ptr<CefV8ContextHandler> getV8ContextHandler() override { return nullptr; }
    std::shared_ptr<CefRenderHandler> getRenderHandler() override { return nullptr; }
    std::shared_ptr<CefDragHandler> getDragHandler() override { return nullptr; }
    std::shared_ptr<CefGeolocationHandler> getGeolocationHandler() override { return nullptr; }
    std::shared_ptr<CefZoomHandler> getZoomHandler() override { return nullptr; }
};

} // namespace plenfox::cef
