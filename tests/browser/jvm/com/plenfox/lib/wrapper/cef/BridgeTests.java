package com.plenfox.lib.wrapper.cef;

/**
 * Runs one group of bridge tests under a real Java VM and exits with a non-zero
 * status when any expectation failed. Groups: "settings" (records and their
 * copies, no engine needed), "engine" (a running engine with a browser),
 * "download_shutdown" and "complete_shutdown" (the engine shut down while a
 * download arrives, and from inside a download's complete()).
 */
public final class BridgeTests {
    private BridgeTests() {}

    public static void main(String[] args) throws Exception {
        System.loadLibrary("viewlink");
        String group = args.length > 0 ? args[0] : "settings";
        switch (group) {
            case "settings":
                SettingsTests.run();
                break;
            case "engine":
                EngineTests.run();
                break;
            case "download_shutdown":
                ShutdownTests.duringDownload();
                break;
            case "complete_shutdown":
                ShutdownTests.insideComplete();
                break;
            default:
                Check.fail("unknown test group " + group);
        }
        System.out.println(group + ": " + Check.checkCount() + " checks, " + Check.failureCount()
                + " failed");
        System.exit(Check.failureCount() == 0 && Check.checkCount() > 0 ? 0 : 1);
    }
}
