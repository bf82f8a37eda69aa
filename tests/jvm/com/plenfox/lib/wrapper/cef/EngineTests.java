package com.plenfox.lib.wrapper.cef;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.concurrent.TimeUnit;

/** A running engine: start, a browser loading loopback pages, a download, shutdown. */
final class EngineTests {
    private static final long WaitSeconds = 60;

    private EngineTests() {}

    static void run() throws Exception {
        LoopbackServer server = LoopbackServer.start();
        NativeCefSettings settings = NativeCefFactory.createSettings();
        Check.that(!NativeCefFactory.initialize(settings, null),
                "the engine does not start without its own message loop");
        settings.setMultiThreadedMessageLoop(true);
        boolean started = NativeCefFactory.initialize(settings, null);
        settings.dispose();
        Check.that(started, "the engine starts with a null application object");
        if (!started) {
            return;
        }
        try {
            browse(server);
            shellExecuteNeedsAFile(server);
        } finally {
            NativeCefFactory.shutdown();
            server.stop();
        }
    }

    /** Waits for the next event that starts with prefix, skipping others. */
    static String await(RecordingClient client, String prefix) throws InterruptedException {
        long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(WaitSeconds);
        while (System.nanoTime() < deadline) {
            String event = client.events.poll(1, TimeUnit.SECONDS);
            if (event != null && event.startsWith(prefix)) {
                return event;
            }
        }
        Check.fail("no event starting with <" + prefix + ">");
        return null;
    }

    static void browse(LoopbackServer server) throws Exception {
        RecordingClient client = new RecordingClient();
        NativeCefWindowInfo windowInfo = NativeCefFactory.createWindowInfo();
        NativeCefBrowserSettings browserSettings = NativeCefFactory.createBrowserSettings();
        NativeCefFactory.createBrowser(windowInfo, client, null, browserSettings);
        String first = server.url("/first.html");
        NativeCefFactory.createBrowser(windowInfo, client, first, browserSettings);
        windowInfo.dispose();
        browserSettings.dispose();

        Check.that(client.created.await(WaitSeconds, TimeUnit.SECONDS),
                "onAfterCreated arrives for a browser with a window of its own");
        Check.equal("browse " + first, await(client, "browse "), "onBeforeBrowse sees the URL");
        Check.equal("start " + first, await(client, "start "), "onLoadStart for the page");
        Check.equal("end " + first + " 200", await(client, "end "), "onLoadEnd with the status");
        Check.that(client.requestChecked, "the request checks ran");
        String source = client.sourceAtLoadEnd;
        Check.that(source != null && source.contains(LoopbackServer.PageMarker),
                "the page source is read on the UI thread");

        CefBrowser browser = client.browser;
        CefFrame frame = browser.getMainFrame();
        Check.equal(first, frame.getURL(), "the main frame shows the page");
        Check.that(frame.isMain(), "the main frame is main");
        Check.equal(null, frame.getText(), "frame text is not read off the UI thread");

        String faulty = server.url("/throw.html");
        frame.loadURL(faulty);
        Check.equal("browse " + faulty, await(client, "browse "), "the faulty handler is called");
        Check.equal("end " + faulty + " 200", await(client, "end "),
                "a handler that throws in onBeforeBrowse lets the navigation proceed");
        Check.that(browser.canGoBack(), "back is possible after two pages");

        frame.loadURL(server.url("/addon.zip"));
        Check.equal("download application/zip TestAddon.zip " + server.zip.length,
                await(client, "download "), "getDownloadHandler sees type, name and length");
        CollectingDownloadHandler download = client.download;
        Check.that(download != null && download.completed.await(WaitSeconds, TimeUnit.SECONDS),
                "the download completes");
        if (download != null) {
            Check.that(Arrays.equals(server.zip, download.bytes()),
                    "the download arrives byte-identical (" + download.bytes().length + " of "
                            + server.zip.length + " bytes)");
        }

        Check.equal(1, client.browsersCreated.get(), "a null URL creates no browser");
        frame.dispose();
        frame.dispose();
        browser.close();
        browser.dispose();
        browser.dispose();
        Check.equal(null, browser.getMainFrame(), "a disposed browser has no main frame");
        Check.that(!browser.canGoBack(), "a disposed browser answers its default");
    }

    /** A desktop opener on PATH records its arguments in the file PLENFOX_OPENER_LOG names. */
    static void shellExecuteNeedsAFile(LoopbackServer server) throws Exception {
        String logName = System.getenv("PLENFOX_OPENER_LOG");
        if (logName == null) {
            Check.fail("PLENFOX_OPENER_LOG is not set");
            return;
        }
        Path log = Path.of(logName);
        CefUtilities.shellExecute("open", null, null, null, CefUtilities.SW_SHOWNORMAL);
        String url = server.url("/opened.html");
        CefUtilities.shellExecute(null, url, null, null, CefUtilities.SW_SHOWNORMAL);
        long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(WaitSeconds);
        while (!Files.exists(log) && System.nanoTime() < deadline) {
            Thread.sleep(50);
        }
        String recorded = Files.exists(log)
                ? new String(Files.readAllBytes(log), StandardCharsets.UTF_8).trim() : "";
        Check.equal(url, recorded, "the opener sees only the call that names a file");
    }
}
