package com.plenfox.lib.wrapper.cef;

public interface CefApp {
    CefProxyHandler getProxyHandler();
    CefResourceBundleHandler getResourceBundleHandler();
}
