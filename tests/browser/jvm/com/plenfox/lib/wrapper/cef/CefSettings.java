package com.plenfox.lib.wrapper.cef;

public interface CefSettings {
    void dispose();
}
