package com.plenfox.lib.wrapper.cef;

public interface CefFrame {
    void copy();
    void cut();
    void delete();
    void dispose();
    void executeJavaScript(String code, String scriptUrl, int startLine);
    String getName();
    String getSource();
    String getText();
    String getURL();
    boolean isFocused();
    boolean isMain();
    void loadRequest(CefRequest request);
    void loadStream(CefStreamReader reader, String url);
    void loadString(String content, String url);
    void loadURL(String url);
    void paste();
    void print();
    void redo();
    void selectAll();
    void undo();
    void viewSource();
}
