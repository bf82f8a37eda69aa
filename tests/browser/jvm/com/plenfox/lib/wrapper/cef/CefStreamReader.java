package com.plenfox.lib.wrapper.cef;

public interface CefStreamReader {
    long read(java.nio.ByteBuffer buffer, long n);
    boolean seek(long offset, CefSeekType whence);
    long tell();
    boolean eof();
}
