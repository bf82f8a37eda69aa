package com.plenfox.lib.wrapper.cef;

public interface CefContentFilter {
    void processData(java.nio.ByteBuffer data, CefStreamReaderBox substitute);
    void drain(CefStreamReaderBox remainder);
}
