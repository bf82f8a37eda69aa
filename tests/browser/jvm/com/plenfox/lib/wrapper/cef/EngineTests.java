package com.plenfox.lib.wrapper.cef;

import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
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
        Check.that(client.responseChecked, "the response checks ran");
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
        Check.that(!browser.isPopup(), "a browser created by the client is no popup");
        browser.goBack();
        Check.equal("end " + first + " 200", await(client, "end "), "back to the first page");
        Check.that(browser.canGoForward(), "forward is possible after going back");
        browser.goForward();
        Check.equal("end " + faulty + " 200", await(client, "end "), "forward again");

        // The page's link to the zip is clicked, as a player would.
        frame.executeJavaScript("document.querySelector('a').click();", "", 0);
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

        String refused = "http://127.0.0.1:" + closedPort() + "/";
        frame.loadURL(refused);
        Check.equal("error ERR_CONNECTION_REFUSED " + refused, await(client, "error "),
                "onLoadError carries the engine's error code as the client's constant");
        Check.equal("end " + refused + " 0", await(client, "end "), "a failed load ends");

        Check.equal(1, client.browsersCreated.get(), "a null URL creates no browser");
        frame.dispose();
        frame.dispose();
        browser.close();
        browser.dispose();
        browser.dispose();
        Check.equal(null, browser.getMainFrame(), "a disposed browser has no main frame");
        Check.that(!browser.canGoBack(), "a disposed browser answers its default");
    }

    /** A loopback port nothing listens on. */
    static int closedPort() throws java.io.IOException {
        try (java.net.ServerSocket socket = new java.net.ServerSocket(0, 1,
                java.net.InetAddress.getLoopbackAddress())) {
            return socket.getLocalPort();
        }
    }

    /** The lines the desktop opener recorded once there are count of them (or at the time-out). */
    static List<String> openerLines(Path log, int count) throws Exception {
        long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(WaitSeconds);
        while (System.nanoTime() < deadline) {
            if (Files.exists(log)
                    && Files.readAllLines(log, StandardCharsets.UTF_8).size() >= count) {
                break;
            }
            Thread.sleep(50);
        }
        return Files.exists(log) ? Files.readAllLines(log, StandardCharsets.UTF_8) : List.of();
    }

    /**
     * A desktop opener on PATH records its arguments in the file PLENFOX_OPENER_LOG names; no
     * file manager answers on the session bus, so showing a file opens its folder.
     */
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
        Check.equal(List.of(url), openerLines(log, 1),
                "the opener sees only the call that names a file");

        Path folder = Files.createDirectories(log.resolveSibling(SettingsTests.Text));
        Path file = Files.write(folder.resolve("TestAddon.zip"), new byte[] {1});
        CefUtilities.browseInShell(null);
        CefUtilities.browseInShell(file.toString());
        Check.equal(List.of(url, folder.toString()), openerLines(log, 2),
                "showing a file opens its folder");
    }
}
