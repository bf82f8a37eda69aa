package com.plenfox.lib.wrapper.cef;

public interface CefDownloadHandler {
    boolean receivedData(java.nio.ByteBuffer data);
    void complete();
}
