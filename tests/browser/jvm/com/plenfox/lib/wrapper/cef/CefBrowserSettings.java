package com.plenfox.lib.wrapper.cef;

public interface CefBrowserSettings {
    void dispose();
}
