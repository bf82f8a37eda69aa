package com.plenfox.lib.wrapper.cef;

public interface CefWindowInfo {
    void dispose();
}
