package com.plenfox.lib.wrapper.cef;

public interface CefLoadHandler {
    void onLoadStart(CefBrowser browser, CefFrame frame);
    void onLoadEnd(CefBrowser browser, CefFrame frame, int statusCode);
    boolean onLoadError(CefBrowser browser, CefFrame frame, CefHandlerErrorCode errorCode, String failedUrl, CefStringBox errorText);
}
