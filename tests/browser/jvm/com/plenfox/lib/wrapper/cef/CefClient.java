package com.plenfox.lib.wrapper.cef;

public interface CefClient {
    CefLifeSpanHandler getLifeSpanHandler();
    CefLoadHandler getLoadHandler();
    CefRequestHandler getRequestHandler();
    CefDisplayHandler getDisplayHandler();
    CefFocusHandler getFocusHandler();
    CefKeyboardHandler getKeyboardHandler();
    CefMenuHandler getMenuHandler();
    CefPermissionHandler getPermissionHandler();
    CefPrintHandler getPrintHandler();
    CefFindHandler getFindHandler();
    CefJSDialogHandler getJSDialogHandler();
    CefV8ContextHandler getV8ContextHandler();
    CefRenderHandler getRenderHandler();
    CefDragHandler getDragHandler();
    CefGeolocationHandler getGeolocationHandler();
    CefZoomHandler getZoomHandler();
}
