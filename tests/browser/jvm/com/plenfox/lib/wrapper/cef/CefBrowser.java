package com.plenfox.lib.wrapper.cef;

public interface CefBrowser {
    void beforeParentClose();
    boolean canGoBack();
    boolean canGoForward();
    void close();
    void dispose();
    CefFrame getMainFrame();
    long getWindowHandle();
    void goBack();
    void goForward();
    boolean isPopup();
    void reload();
    void reloadIgnoreCache();
    void setClientRectangle(int x, int y, int width, int height);
    void setFocus(boolean enable);
    void stopLoad();
}
