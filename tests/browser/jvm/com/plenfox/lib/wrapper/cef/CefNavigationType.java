package com.plenfox.lib.wrapper.cef;

public enum CefNavigationType {
    LINKCLICKED(0),
    FORMSUBMITTED(1),
    BACKFORWARD(2),
    RELOAD(3),
    FORMRESUBMITTED(4),
    OTHER(5),
    LINKDROPPED(6);

    private final int value;

    CefNavigationType(int value) {
        this.value = value;
    }

    public int getValue() {
        return value;
    }

    /** The constant with the engine's value, or null when there is none. */
    public static CefNavigationType fromInt(int value) {
        for (CefNavigationType c : values()) {
            if (c.value == value) {
                return c;
            }
        }
        return null;
    }
}
