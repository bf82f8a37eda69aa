package com.plenfox.lib.wrapper.cef;

import java.nio.ByteBuffer;

/** A download handler the engine supplies. */
public class NativeCefDownloadHandler implements CefDownloadHandler {
    private long n_handleCefDownloadHandler;

    public boolean receivedData(ByteBuffer data) {
        try {
            return n_receivedData(data);
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void complete() {
        try {
            n_complete();
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

    private native boolean n_receivedData(ByteBuffer data);
    private native void n_complete();
    private native void n_dispose();
}
