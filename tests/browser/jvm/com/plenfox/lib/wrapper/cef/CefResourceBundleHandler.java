package com.plenfox.lib.wrapper.cef;

public interface CefResourceBundleHandler {
    boolean getLocalizedString(int messageId, CefStringBox string);
}
