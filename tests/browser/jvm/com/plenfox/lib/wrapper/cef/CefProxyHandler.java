package com.plenfox.lib.wrapper.cef;

public interface CefProxyHandler {
    void getProxyForUrl(String url, CefProxyInfo proxyInfo);
}
