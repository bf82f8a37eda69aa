package com.plenfox.lib.wrapper.cef;

/** Out-parameter holder: the handler answers by calling setValue. */
public class CefClientBox {
    public CefClient client;

    public CefClientBox(CefClient value) {
        this.client = value;
    }

    public CefClient getValue() {
        return client;
    }

    public void setValue(CefClient value) {
        this.client = value;
    }
}
