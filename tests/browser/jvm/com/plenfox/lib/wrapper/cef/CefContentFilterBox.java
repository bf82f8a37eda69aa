package com.plenfox.lib.wrapper.cef;

/** Out-parameter holder: the handler answers by calling setValue. */
public class CefContentFilterBox {
    public CefContentFilter f;

    public CefContentFilterBox(CefContentFilter value) {
        this.f = value;
    }

    public CefContentFilter getValue() {
        return f;
    }

    public void setValue(CefContentFilter value) {
        this.f = value;
    }
}
