package com.plenfox.lib.wrapper.cef;

/** An engine request. */
public class NativeCefRequest implements CefRequest {
    private long n_handleCefRequest;

    public String getURL() {
        try {
            return n_getURL();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public String getMethod() {
        try {
            return n_getMethod();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setURL(String url) {
        try {
            n_setURL(url);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void setMethod(String method) {
        try {
            n_setMethod(method);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public CefPostData getPostData() {
        try {
            return n_getPostData();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setPostData(CefPostData postData) {
        try {
            n_setPostData(postData);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public CefHeaderMap getHeaderMap() {
        try {
            return n_getHeaderMap();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setHeaderMap(CefHeaderMap headerMap) {
        try {
            n_setHeaderMap(headerMap);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void set(String url, String method, CefPostData postData, CefHeaderMap headerMap) {
        try {
            n_set(url, method, postData, headerMap);
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

    private native String n_getURL();
    private native String n_getMethod();
    private native void n_setURL(String url);
    private native void n_setMethod(String method);
    private native CefPostData n_getPostData();
    private native void n_setPostData(CefPostData postData);
    private native CefHeaderMap n_getHeaderMap();
    private native void n_setHeaderMap(CefHeaderMap headerMap);
    private native void n_set(String url, String method, CefPostData postData, CefHeaderMap headerMap);
    private native void n_dispose();
}
