package com.plenfox.lib.wrapper.cef;

import java.nio.ByteBuffer;

/** A stream reader the engine supplies. */
public class NativeCefStreamReader implements CefStreamReader {
    private long n_handleCefStreamReader;

    public long read(ByteBuffer buffer, long n) {
        try {
            return n_read(buffer, n);
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public long tell() {
        try {
            return n_tell();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public boolean eof() {
        try {
            return n_eof();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void dispose() {
        try {
            n_dispose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean seek(long offset, CefSeekType whence) {
        try {
            return n_seek(offset, whence.getValue()) == 0;
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    private native int n_seek(long offset, int whence);
    private native long n_read(ByteBuffer buffer, long n);
    private native long n_tell();
    private native boolean n_eof();
    private native void n_dispose();
}
