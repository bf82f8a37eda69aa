package com.plenfox.lib.wrapper.cef;

/** Desktop shell services offered by the bridge. */
public final class CefUtilities {
    public static final int SW_HIDE = 0;
    public static final int SW_SHOWNORMAL = 1;
    public static final int SW_SHOWMINNOACTIVE = 7;
    public static final int SW_SHOW = 5;
    public static final int SW_SHOWDEFAULT = 10;

    private CefUtilities() {}

    /** Opens the folder that holds path with the item selected. */
    public static void browseInShell(String path) {
        n_browseInShell(path);
    }

    public static void shellExecute(String operation, String file, String parameters,
            String directory, int showCommand) {
        n_shellExecute(operation, file, parameters, directory, showCommand);
    }

    private static native void n_browseInShell(String path);

    private static native void n_shellExecute(String operation, String file, String parameters,
            String directory, int showCommand);
}
