package com.plenfox.lib.wrapper.cef;

import java.nio.ByteBuffer;

/** A content filter the engine supplies. */
public class NativeCefContentFilter implements CefContentFilter {
    private long n_handleCefContentFilter;

    public void processData(ByteBuffer data, CefStreamReaderBox substitute) {
        try {
            n_processData(data, substitute);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void drain(CefStreamReaderBox remainder) {
        try {
            n_drain(remainder);
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

    private native void n_processData(ByteBuffer data, CefStreamReaderBox substitute);
    private native void n_drain(CefStreamReaderBox remainder);
    private native void n_dispose();
}
