package com.plenfox.lib.wrapper.cef;

/** Starts and stops the engine and creates browsers and settings records. */
public final class NativeCefFactory {
    private NativeCefFactory() {}

    public static boolean initialize(CefSettings settings, CefApp app) {
        return n_initialize(settings, app);
    }

    public static void shutdown() {
        n_shutdown();
    }

    public static void createBrowser(CefWindowInfo windowInfo, CefClient client, String url,
            CefBrowserSettings settings) {
        n_createBrowser(windowInfo, client, url, settings);
    }

    public static NativeCefSettings createSettings() {
        return n_createSettings();
    }

    public static NativeCefSettings createSettings(CefSettings other) {
        return n_createSettings(other);
    }

    public static NativeCefBrowserSettings createBrowserSettings() {
        return n_createBrowserSettings();
    }

    public static NativeCefBrowserSettings createBrowserSettings(CefBrowserSettings other) {
        return n_createBrowserSettings(other);
    }

    public static NativeCefWindowInfo createWindowInfo() {
        return n_createWindowInfo();
    }

    public static NativeCefWindowInfo createWindowInfo(CefWindowInfo other) {
        return n_createWindowInfo(other);
    }

    private static native boolean n_initialize(CefSettings settings, CefApp app);

    private static native void n_shutdown();

    private static native void n_createBrowser(CefWindowInfo windowInfo, CefClient client,
            String url, CefBrowserSettings settings);

    private static native NativeCefSettings n_createSettings();

    private static native NativeCefSettings n_createSettings(CefSettings other);

    private static native NativeCefBrowserSettings n_createBrowserSettings();

    private static native NativeCefBrowserSettings n_createBrowserSettings(CefBrowserSettings other);

    private static native NativeCefWindowInfo n_createWindowInfo();

    private static native NativeCefWindowInfo n_createWindowInfo(CefWindowInfo other);
}
