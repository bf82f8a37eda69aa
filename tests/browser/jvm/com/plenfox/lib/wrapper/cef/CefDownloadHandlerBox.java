package com.plenfox.lib.wrapper.cef;

/** Out-parameter holder: the handler answers by calling setValue. */
public class CefDownloadHandlerBox {
    public CefDownloadHandler handler;

    public CefDownloadHandlerBox(CefDownloadHandler value) {
        this.handler = value;
    }

    public CefDownloadHandler getValue() {
        return handler;
    }

    public void setValue(CefDownloadHandler value) {
        this.handler = value;
    }
}
