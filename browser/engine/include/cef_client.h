#pragma once

#include "cef_base.h"
#include "cef_life_span_handler.h"
#include "cef_load_handler.h"
#include "cef_other_handlers.h"
#include "cef_request_handler.h"

// The handlers of one browser. The engine asks for a handler each time it
// needs one; null means the engine's own behaviour.
class CefClient : public virtual CefBase {
public:
    virtual CefRefPtr<CefLifeSpanHandler> GetLifeSpanHandler() { return nullptr; }
    virtual CefRefPtr<CefLoadHandler> GetLoadHandler() { return nullptr; }
    virtual CefRefPtr<CefRequestHandler> GetRequestHandler() { return nullptr; }
    virtual CefRefPtr<CefDisplayHandler> GetDisplayHandler() { return nullptr; }
    virtual CefRefPtr<CefFocusHandler> GetFocusHandler() { return nullptr; }
    virtual CefRefPtr<CefKeyboardHandler> GetKeyboardHandler() { return nullptr; }
    virtual CefRefPtr<CefMenuHandler> GetMenuHandler() { return nullptr; }
    virtual CefRefPtr<CefPermissionHandler> GetPermissionHandler() { return nullptr; }
    virtual CefRefPtr<CefPrintHandler> GetPrintHandler() { return nullptr; }
    virtual CefRefPtr<CefFindHandler> GetFindHandler() { return nullptr; }
    virtual CefRefPtr<CefJSDialogHandler> GetJSDialogHandler() { return nullptr; }
    virtual CefRefPtr<CefV8ContextHandler> GetV8ContextHandler() { return nullptr; }
    virtual CefRefPtr<CefRenderHandler> GetRenderHandler() { return nullptr; }
    virtual CefRefPtr<CefDragHandler> GetDragHandler() { return nullptr; }
    virtual CefRefPtr<CefGeolocationHandler> GetGeolocationHandler() { return nullptr; }
    virtual CefRefPtr<CefZoomHandler> GetZoomHandler() { return nullptr; }
};
