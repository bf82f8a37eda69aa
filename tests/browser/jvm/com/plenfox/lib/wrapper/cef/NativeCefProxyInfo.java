package com.plenfox.lib.wrapper.cef;

/** Proxy information for one URL. */
public class NativeCefProxyInfo implements CefProxyInfo {
    private long n_handleCefProxyInfo;

    public int getProxyType() {
        try {
            return n_getProxyType();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setProxyType(int proxyType) {
        try {
            n_setProxyType(proxyType);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getProxyList() {
        try {
            return n_getProxyList();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setProxyList(String proxyList) {
        try {
            n_setProxyList(proxyList);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void dispose() {
        try {
            n_dispose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    private native int n_getProxyType();
    private native void n_setProxyType(int proxyType);
    private native String n_getProxyList();
    private native void n_setProxyList(String proxyList);
    private native void n_dispose();
}
