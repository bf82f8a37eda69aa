package com.plenfox.lib.wrapper.cef;

/** Out-parameter holder: the handler answers by calling setValue. */
public class CefBooleanBox {
    public boolean value;

    public CefBooleanBox(boolean value) {
        this.value = value;
    }

    public boolean getValue() {
        return value;
    }

    public void setValue(boolean value) {
        this.value = value;
    }
}
