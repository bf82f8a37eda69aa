package com.plenfox.lib.wrapper.cef;

/** A header multimap owned by this object. */
public class NativeCefHeaderMap implements CefHeaderMap {
    private long n_handleCefHeaderMap;

    public int getNumberOfKeys() {
        try {
            return n_getNumberOfKeys();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public String getKey(int index) {
        try {
            return n_getKey(index);
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public String getValue(int index) {
        try {
            return n_getValue(index);
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public boolean containsKey(String name) {
        try {
            return n_containsKey(name);
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public String getValue(String name) {
        try {
            return n_getValue(name);
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void remove(int index) {
        try {
            n_remove(index);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void add(String name, String value) {
        try {
            n_add(name, value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public CefHeaderMap copy() {
        try {
            return n_copy();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void dispose() {
        try {
            n_dispose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    private native int n_getNumberOfKeys();
    private native String n_getKey(int index);
    private native String n_getValue(int index);
    private native boolean n_containsKey(String name);
    private native String n_getValue(String name);
    private native void n_remove(int index);
    private native void n_add(String name, String value);
    private native CefHeaderMap n_copy();
    private native void n_dispose();
}
