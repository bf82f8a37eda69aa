package com.plenfox.lib.wrapper.cef;

public interface CefProxyInfo {
    void dispose();
    String getProxyList();
    int getProxyType();
    void setProxyList(String proxyList);
    void setProxyType(int proxyType);
}
