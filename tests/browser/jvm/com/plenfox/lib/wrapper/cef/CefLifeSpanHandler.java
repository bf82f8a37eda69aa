package com.plenfox.lib.wrapper.cef;

public interface CefLifeSpanHandler {
    boolean onBeforePopup(CefBrowser parent, CefPopupFeatures features, CefWindowInfo windowInfo, String url, CefClientBox client, CefBrowserSettings settings);
    void onAfterCreated(CefBrowser browser);
    boolean runModal(CefBrowser browser);
    boolean doClose(CefBrowser browser);
    void onBeforeClose(CefBrowser browser);
}
