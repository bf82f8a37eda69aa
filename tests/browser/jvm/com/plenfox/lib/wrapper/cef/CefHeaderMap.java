package com.plenfox.lib.wrapper.cef;

public interface CefHeaderMap {
    void add(String name, String value);
    boolean containsKey(String name);
    CefHeaderMap copy();
    void dispose();
    String getKey(int index);
    int getNumberOfKeys();
    String getValue(int index);
    String getValue(String name);
    void remove(int index);
}
