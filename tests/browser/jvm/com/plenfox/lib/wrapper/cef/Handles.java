package com.plenfox.lib.wrapper.cef;

import java.lang.reflect.Field;

/** Reads the native handle a bridge object holds (tests only). */
final class Handles {
    private Handles() {}

    static long of(Object object) {
        for (Field field : object.getClass().getDeclaredFields()) {
            if (field.getName().startsWith("n_handleCef")) {
                try {
                    field.setAccessible(true);
                    return field.getLong(object);
                } catch (IllegalAccessException e) {
                    throw new IllegalStateException(e);
                }
            }
        }
        throw new IllegalArgumentException("no handle field in " + object.getClass());
    }
}
