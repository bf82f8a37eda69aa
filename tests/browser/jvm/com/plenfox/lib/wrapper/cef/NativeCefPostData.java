package com.plenfox.lib.wrapper.cef;

/** Post data of an engine request; it can only be handed back to a request. */
public class NativeCefPostData implements CefPostData {
    private long n_handleCefPostData;

    public void dispose() {
        try {
            n_dispose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    private native void n_dispose();
}
