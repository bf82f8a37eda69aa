package com.plenfox.lib.wrapper.cef;

public enum CefSeekType {
    CURRENT(1),
    END(2),
    SET(0);

    private final int value;

    CefSeekType(int value) {
        this.value = value;
    }

    public int getValue() {
        return value;
    }

    /** The constant with the engine's value, or null when there is none. */
    public static CefSeekType fromInt(int value) {
        for (CefSeekType c : values()) {
            if (c.value == value) {
                return c;
            }
        }
        return null;
    }
}
