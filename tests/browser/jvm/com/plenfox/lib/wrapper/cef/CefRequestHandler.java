package com.plenfox.lib.wrapper.cef;

public interface CefRequestHandler {
    boolean onBeforeBrowse(CefBrowser browser, CefFrame frame, CefRequest request, CefNavigationType navigationType, boolean isRedirect);
    boolean onBeforeResourceLoad(CefBrowser browser, CefRequest request, CefStringBox redirectUrl, CefStreamReaderBox resourceStream, CefResponse response, int loadFlags);
    void onResourceRedirect(CefBrowser browser, String oldUrl, CefStringBox newUrl);
    void onResourceResponse(CefBrowser browser, String url, CefResponse response, CefContentFilterBox filter);
    boolean onProtocolExecution(CefBrowser browser, String url, CefBooleanBox allowOsExecution);
    boolean getDownloadHandler(CefBrowser browser, String mimeType, String fileName, long contentLength, CefDownloadHandlerBox handler);
    boolean getAuthCredentials(CefBrowser browser, boolean isProxy, String host, int port, String realm, String scheme, CefStringBox username, CefStringBox password);
    CefCookieManager getCookieManager(CefBrowser browser, String mainUrl);
}
