package com.plenfox.lib.wrapper.cef;

/** An engine response. */
public class NativeCefResponse implements CefResponse {
    private long n_handleCefResponse;

    public int getStatus() {
        try {
            return n_getStatus();
        } catch (UnsatisfiedLinkError e) {
            return 0;
        }
    }

    public void setStatus(int status) {
        try {
            n_setStatus(status);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getStatusText() {
        try {
            return n_getStatusText();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public String getMimeType() {
        try {
            return n_getMimeType();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setStatusText(String statusText) {
        try {
            n_setStatusText(statusText);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void setMimeType(String mimeType) {
        try {
            n_setMimeType(mimeType);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getHeader(String name) {
        try {
            return n_getHeader(name);
        } catch (UnsatisfiedLinkError e) {
            return null;
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

    public void dispose() {
        try {
            n_dispose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    private native int n_getStatus();
    private native void n_setStatus(int status);
    private native String n_getStatusText();
    private native String n_getMimeType();
    private native void n_setStatusText(String statusText);
    private native void n_setMimeType(String mimeType);
    private native String n_getHeader(String name);
    private native CefHeaderMap n_getHeaderMap();
    private native void n_setHeaderMap(CefHeaderMap headerMap);
    private native void n_dispose();
}
