#pragma once

#include "lib/jni/JavaObject.h"
#include "lib/wrapper/cef/CefDisplayHandler.h"
#include "lib/wrapper/cef/CefDragHandler.h"
#include "lib/wrapper/cef/CefFindHandler.h"
#include "lib/wrapper/cef/CefFocusHandler.h"
#include "lib/wrapper/cef/CefGeolocationHandler.h"
#include "lib/wrapper/cef/CefJSDialogHandler.h"
#include "lib/wrapper/cef/CefKeyboardHandler.h"
#include "lib/wrapper/cef/CefLifeSpanHandler.h"
#include "lib/wrapper/cef/CefLoadHandler.h"
#include "lib/wrapper/cef/CefMenuHandler.h"
#include "lib/wrapper/cef/CefPermissionHandler.h"
#include "lib/wrapper/cef/CefPrintHandler.h"
#include "lib/wrapper/cef/CefRenderHandler.h"
#include "lib/wrapper/cef/CefRequestHandler.h"
#include "lib/wrapper/cef/CefV8ContextHandler.h"
#include "lib/wrapper/cef/CefZoomHandler.h"

#include <memory>

#include <string_view>

namespace plenfox::cef {

// The handlers of one browser; null means none. The engine asks only for the
// life-span, load and request handlers.
class CefClient : public virtual jni::JavaObject {
public:
    static constexpr std::string_view JavaName = "com/plenfox/lib/wrapper/cef/CefClient";

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
