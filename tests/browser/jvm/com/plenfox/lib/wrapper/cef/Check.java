package com.plenfox.lib.wrapper.cef;

import java.util.ArrayList;
import java.util.List;
import java.util.Objects;

/** Collects failed expectations from any thread; the runner fails when there is one. */
final class Check {
    private static final List<String> failures = new ArrayList<>();
    private static int checks;

    private Check() {}

    static synchronized void fail(String what) {
        failures.add(what);
        System.out.println("FAILED: " + what);
    }

    static synchronized void that(boolean condition, String what) {
        checks++;
        if (!condition) {
            fail(what);
        }
    }

    static void equal(Object expected, Object actual, String what) {
        that(Objects.equals(expected, actual),
                what + ": expected <" + expected + "> but was <" + actual + ">");
    }

    static synchronized int failureCount() {
        return failures.size();
    }

    static synchronized int checkCount() {
        return checks;
    }
}
