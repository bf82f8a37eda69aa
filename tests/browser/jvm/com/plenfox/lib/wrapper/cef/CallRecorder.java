package com.plenfox.lib.wrapper.cef;

import java.util.HashMap;
import java.util.Map;

/** Counts calls by name, for the native bridge tests that call handlers directly. */
public final class CallRecorder {
    private static final Map<String, Integer> calls = new HashMap<>();
    private static final Map<String, Object> values = new HashMap<>();

    private CallRecorder() {}

    public static synchronized void record(String call) {
        calls.merge(call, 1, Integer::sum);
    }

    public static synchronized void keep(String name, Object value) {
        values.put(name, value);
    }

    public static synchronized Object kept(String name) {
        return values.get(name);
    }

    public static synchronized int count(String call) {
        return calls.getOrDefault(call, 0);
    }

    public static synchronized void reset() {
        calls.clear();
        values.clear();
    }
}
