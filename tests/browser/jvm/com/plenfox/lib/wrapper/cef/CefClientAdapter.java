package com.plenfox.lib.wrapper.cef;

/** A client without handlers; subclasses override the getters they need. */
public class CefClientAdapter implements CefClient {
    public CefLifeSpanHandler getLifeSpanHandler() {
        return null;
    }

    public CefLoadHandler getLoadHandler() {
        return null;
    }

    public CefRequestHandler getRequestHandler() {
        return null;
    }

    public CefDisplayHandler getDisplayHandler() {
        return null;
    }

    public CefFocusHandler getFocusHandler() {
        return null;
    }

    public CefKeyboardHandler getKeyboardHandler() {
        return null;
    }

    public CefMenuHandler getMenuHandler() {
        return null;
    }

    public CefPermissionHandler getPermissionHandler() {
        return null;
    }

    public CefPrintHandler getPrintHandler() {
        return null;
    }

    public CefFindHandler getFindHandler() {
        return null;
    }

    public CefJSDialogHandler getJSDialogHandler() {
        return null;
    }

    public CefV8ContextHandler getV8ContextHandler() {
        return null;
    }

    public CefRenderHandler getRenderHandler() {
        return null;
    }

    public CefDragHandler getDragHandler() {
        return null;
    }

    public CefGeolocationHandler getGeolocationHandler() {
        return null;
    }

    public CefZoomHandler getZoomHandler() {
        return null;
    }
}
