package com.plenfox.lib.wrapper.cef;

import java.lang.reflect.Method;
import java.util.ArrayList;
import java.util.List;

/** The settings records: every getter and setter, copies, disposal. */
final class SettingsTests {
    /** Text with letters outside ASCII and a character outside the Basic Multilingual Plane. */
    static final String Text = "\u00c4rger \ud834\udd1e \u65e5\u672c";

    private SettingsTests() {}

    static void run() throws Exception {
        for (Object record : new Object[] {NativeCefFactory.createSettings(),
                NativeCefFactory.createBrowserSettings()}) {
            String kind = record.getClass().getSimpleName();
            Check.that(Handles.of(record) != 0, kind + " is created with a record");
            eachSettingAlone(record, kind);
            settingsKeepTheirOwnFields(record, kind);
            copiesAreIndependent(record, kind);
            disposedRecordAnswersDefaults(record, kind);
        }
        extraPluginPathsAreNotConnected();
        copiesOfDisposedRecordsAreNull();
        windowInfo();
    }

    /** The accessor pairs of a record, in declaration order. */
    static List<Method[]> accessors(Object record) throws Exception {
        List<Method[]> pairs = new ArrayList<>();
        for (Method get : record.getClass().getDeclaredMethods()) {
            String name = get.getName();
            if (!name.startsWith("get") || !java.lang.reflect.Modifier.isPublic(get.getModifiers())
                    || name.equals("getExtraPluginPaths")) {
                continue;
            }
            Method set = record.getClass().getMethod("set" + name.substring(3),
                    get.getReturnType());
            pairs.add(new Method[] {get, set});
        }
        Check.that(pairs.size() >= 15, record.getClass().getSimpleName() + " has its settings");
        return pairs;
    }

    static String label(String kind, Method get) {
        return kind + "." + get.getName().substring(3);
    }

    static void eachSettingAlone(Object record, String kind) throws Exception {
        for (Method[] pair : accessors(record)) {
            Method get = pair[0];
            Method set = pair[1];
            String what = label(kind, get);
            Class<?> type = get.getReturnType();
            if (type == String.class) {
                Check.equal(null, get.invoke(record), what + " starts empty and reads as null");
                set.invoke(record, Text);
                Check.equal(Text, get.invoke(record), what + " keeps text outside ASCII");
                set.invoke(record, "a\u0000b");
                Check.equal("a\u0000b", get.invoke(record), what + " keeps U+0000");
                set.invoke(record, "");
                Check.equal(null, get.invoke(record), what + " set empty reads as null");
                set.invoke(record, Text);
                set.invoke(record, (Object) null);
                Check.equal(null, get.invoke(record), what + " is cleared by null");
            } else if (type == int.class) {
                Check.equal(0, get.invoke(record), what + " starts at 0");
                set.invoke(record, 123456);
                Check.equal(123456, get.invoke(record), what + " keeps a value");
                set.invoke(record, -99);
                Check.equal(-99, get.invoke(record), what + " keeps a negative value");
            } else if (type == boolean.class) {
                Check.equal(false, get.invoke(record), what + " starts false");
                set.invoke(record, true);
                Check.equal(true, get.invoke(record), what + " keeps true");
                set.invoke(record, false);
                Check.equal(false, get.invoke(record), what + " keeps false");
            } else {
                Check.fail(what + " has an unexpected type " + type);
            }
        }
    }

    /** A distinct value per setting, so two settings sharing one field show up. */
    static Object valueFor(Method get, int index, int round) {
        Class<?> type = get.getReturnType();
        if (type == String.class) {
            return Text + " " + get.getName() + " " + round;
        }
        if (type == int.class) {
            return index * 31 + round;
        }
        return (index + round) % 2 == 0;
    }

    static void fill(Object record, List<Method[]> pairs, int round) throws Exception {
        for (int i = 0; i < pairs.size(); i++) {
            pairs.get(i)[1].invoke(record, valueFor(pairs.get(i)[0], i, round));
        }
    }

    static void expect(Object record, List<Method[]> pairs, int round, String what)
            throws Exception {
        for (int i = 0; i < pairs.size(); i++) {
            Method get = pairs.get(i)[0];
            Check.equal(valueFor(get, i, round), get.invoke(record), what + " " + get.getName());
        }
    }

    static void settingsKeepTheirOwnFields(Object record, String kind) throws Exception {
        List<Method[]> pairs = accessors(record);
        fill(record, pairs, 1);
        expect(record, pairs, 1, kind + " after setting all");
    }

    static Object copyOf(Object record) {
        if (record instanceof NativeCefSettings) {
            return NativeCefFactory.createSettings((CefSettings) record);
        }
        return NativeCefFactory.createBrowserSettings((CefBrowserSettings) record);
    }

    static void copiesAreIndependent(Object record, String kind) throws Exception {
        List<Method[]> pairs = accessors(record);
        fill(record, pairs, 2);
        Object copy = copyOf(record);
        Check.that(copy != null && Handles.of(copy) != 0 && Handles.of(copy) != Handles.of(record),
                kind + " copy has a record of its own");
        expect(copy, pairs, 2, kind + " copy");
        fill(copy, pairs, 3);
        expect(record, pairs, 2, kind + " source after the copy changed");
        Object second = copyOf(record);
        dispose(record);
        expect(second, pairs, 2, kind + " copy after its source was disposed");
        dispose(second);
        dispose(copy);
    }

    static void dispose(Object record) {
        if (record instanceof NativeCefSettings) {
            ((NativeCefSettings) record).dispose();
        } else {
            ((NativeCefBrowserSettings) record).dispose();
        }
    }

    static void disposedRecordAnswersDefaults(Object record, String kind) throws Exception {
        dispose(record);
        dispose(record);
        Check.equal(0L, Handles.of(record), kind + " disposed has a zero handle");
        for (Method[] pair : accessors(record)) {
            Method get = pair[0];
            Class<?> type = get.getReturnType();
            Object expected = type == int.class ? (Object) (-1) : type == boolean.class ? false : null;
            Object sample = type == int.class ? (Object) 5 : type == boolean.class ? true : "x";
            pair[1].invoke(record, sample);
            Check.equal(expected, get.invoke(record), label(kind, get) + " of a disposed record");
        }
    }

    static void extraPluginPathsAreNotConnected() {
        NativeCefSettings settings = NativeCefFactory.createSettings();
        settings.setExtraPluginPaths(new String[] {"/plugins", Text});
        Check.equal(null, settings.getExtraPluginPaths(), "ExtraPluginPaths always reads null");
        settings.dispose();
    }

    static void copiesOfDisposedRecordsAreNull() {
        NativeCefSettings settings = NativeCefFactory.createSettings();
        settings.dispose();
        Check.equal(null, NativeCefFactory.createSettings(settings), "copy of disposed settings");
        NativeCefBrowserSettings browserSettings = NativeCefFactory.createBrowserSettings();
        browserSettings.dispose();
        Check.equal(null, NativeCefFactory.createBrowserSettings(browserSettings),
                "copy of disposed browser settings");
        NativeCefWindowInfo info = NativeCefFactory.createWindowInfo();
        info.dispose();
        Check.equal(null, NativeCefFactory.createWindowInfo(info), "copy of disposed window info");
    }

    static void windowInfo() {
        NativeCefWindowInfo info = NativeCefFactory.createWindowInfo();
        Check.that(Handles.of(info) != 0, "window info is created with a record");
        info.setTransparentPainting(true);
        // Without a displayable canvas nothing is placed, and nothing fails.
        info.setChild(null, 0, 0, 800, 600);
        info.setPopup(null, Text);
        info.setOffscreen(null);
        NativeCefWindowInfo copy = NativeCefFactory.createWindowInfo(info);
        Check.that(copy != null && Handles.of(copy) != Handles.of(info),
                "window info copy has a record of its own");
        info.dispose();
        info.dispose();
        Check.equal(0L, Handles.of(info), "disposed window info has a zero handle");
        copy.dispose();
    }
}
