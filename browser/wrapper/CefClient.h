#pragma once

#include "browser/boundary/BoundaryNames.h"
#include "browser/jni/JavaObject.h"
#include "browser/wrapper/CefDisplayHandler.h"
#include "browser/wrapper/CefDragHandler.h"
#include "browser/wrapper/CefFindHandler.h"
#include "browser/wrapper/CefFocusHandler.h"
#include "browser/wrapper/CefGeolocationHandler.h"
#include "browser/wrapper/CefJSDialogHandler.h"
#include "browser/wrapper/CefKeyboardHandler.h"
#include "browser/wrapper/CefLifeSpanHandler.h"
#include "browser/wrapper/CefLoadHandler.h"
#include "browser/wrapper/CefMenuHandler.h"
#include "browser/wrapper/CefPermissionHandler.h"
#include "browser/wrapper/CefPrintHandler.h"
#include "browser/wrapper/CefRenderHandler.h"
#include "browser/wrapper/CefRequestHandler.h"
#include "browser/wrapper/CefV8ContextHandler.h"
#include "browser/wrapper/CefZoomHandler.h"

#include <memory>

#include <string_view>

namespace plenfox::cef {

// The handlers of one browser; null means none. The engine asks only for the
// life-span, load and request handlers.
class CefClient : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = PLENFOX_BOUNDARY_PACKAGE "CefClient";

    virtual std::shared_ptr<CefLifeSpanHandler> getLifeSpanHandler() = 0;
    virtual std::shared_ptr<CefLoadHandler> getLoadHandler() = 0;
    virtual std::shared_ptr<CefRequestHandler> getRequestHandler() = 0;
    virtual std::shared_ptr<CefDisplayHandler> getDisplayHandler() = 0;
    virtual std::shared_ptr<CefFocusHandler> getFocusHandler() = 0;
    virtual std::shared_ptr<CefKeyboardHandler> getKeyboardHandler() = 0;
    virtual std::shared_ptr<CefMenuHandler> getMenuHandler() = 0;
    virtual std::shared_ptr<CefPermissionHandler> getPermissionHandler() = 0;
    virtual std::shared_ptr<CefPrintHandler> getPrintHandler() = 0;
    virtual std::shared_ptr<CefFindHandler> getFindHandler() = 0;
    virtual std::shared_ptr<CefJSDialogHandler> getJSDialogHandler() = 0;
    virtual std::shared_ptr<CefV8ContextHandler> getV8ContextHandler() = 0;
    virtual std::shared_ptr<CefRenderHandler> getRenderHandler() = 0;
    virtual std::shared_ptr<CefDragHandler> getDragHandler() = 0;
    virtual std::shared_ptr<CefGeolocationHandler> getGeolocationHandler() = 0;
    virtual std::shared_ptr<CefZoomHandler> getZoomHandler() = 0;
};

} // namespace plenfox::cef
