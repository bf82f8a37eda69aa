package com.plenfox.lib.wrapper.cef;

/** Out-parameter holder: the handler answers by calling setValue. */
public class CefStringBox {
    public String value;

    public CefStringBox(String value) {
        this.value = value;
    }

    public String getValue() {
        return value;
    }

    public void setValue(String value) {
        this.value = value;
    }
}
