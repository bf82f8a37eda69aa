package com.plenfox.lib.wrapper.cef;

/** Out-parameter holder: the handler answers by calling setValue. */
public class CefStreamReaderBox {
    public CefStreamReader value;

    public CefStreamReaderBox(CefStreamReader value) {
        this.value = value;
    }

    public CefStreamReader getValue() {
        return value;
    }

    public void setValue(CefStreamReader value) {
        this.value = value;
    }
}
