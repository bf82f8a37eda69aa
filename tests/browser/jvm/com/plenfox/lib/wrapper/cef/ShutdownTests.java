package com.plenfox.lib.wrapper.cef;

import java.io.File;
import java.lang.ref.WeakReference;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;

/**
 * The engine shut down while a browser is open and a download still arrives,
 * and from inside a download handler's complete(). Each group starts the
 * engine of its own process once.
 */
final class ShutdownTests {
    private static final long WaitSeconds = 60;

    private ShutdownTests() {}

    /** Shutdown from the test's thread while the slow download streams. */
    static void duringDownload() throws Exception {
        LoopbackServer server = LoopbackServer.start();
        RecordingClient client = startWithPage(server);
        if (client == null) {
            return;
        }
        clickSlowLink(client);
        CollectingDownloadHandler download = client.download;
        Check.that(download != null && download.firstData.await(WaitSeconds, TimeUnit.SECONDS),
                "the slow download starts arriving");
        CountDownLatch completed = download == null ? new CountDownLatch(1) : download.completed;
        WeakReference<CollectingDownloadHandler> handler = new WeakReference<>(download);
        client.download = null;
        download = null;

        shutDownWithin(WaitSeconds);
        Check.equal("close", awaitClose(client), "the browser closed before the engine ended");
        Check.equal(1L, completed.getCount(), "a download cut by shutdown never completes");
        Check.that(releasedAfterCollection(handler),
                "the engine let go of the download handler (no global reference is left)");
        Check.that(stagingFilesGone(), "the engine's staging files are removed");
        server.stop();
    }

    /** The download handler's complete() shuts the engine down, on the engine's IO thread. */
    static void insideComplete() throws Exception {
        LoopbackServer server = LoopbackServer.start();
        RecordingClient client = startWithPage(server);
        if (client == null) {
            return;
        }
        CountDownLatch stopped = new CountDownLatch(1);
        client.onDownload = download -> download.onComplete = () -> {
            NativeCefFactory.shutdown();
            stopped.countDown();
        };
        CefFrame frame = client.browser.getMainFrame();
        frame.executeJavaScript("document.querySelector('a').click();", "", 0);
        frame.dispose();
        Check.that(stopped.await(WaitSeconds, TimeUnit.SECONDS),
                "shutdown from inside complete() returns");
        CollectingDownloadHandler download = client.download;
        Check.that(download != null && download.bytes().length == server.zip.length,
                "the download arrived whole before complete()");
        WeakReference<CollectingDownloadHandler> handler = new WeakReference<>(download);
        client.download = null;
        download = null;
        Check.equal("close", awaitClose(client), "the browser closed");
        Check.that(releasedAfterCollection(handler),
                "the engine let go of the download handler once complete() returned");
        Check.that(stagingFilesGone(), "the engine's staging files are removed");
        server.stop();
    }

    private static RecordingClient startWithPage(LoopbackServer server) throws Exception {
        NativeCefSettings settings = NativeCefFactory.createSettings();
        settings.setMultiThreadedMessageLoop(true);
        boolean started = NativeCefFactory.initialize(settings, null);
        settings.dispose();
        Check.that(started, "the engine starts");
        if (!started) {
            return null;
        }
        RecordingClient client = new RecordingClient();
        NativeCefWindowInfo windowInfo = NativeCefFactory.createWindowInfo();
        NativeCefBrowserSettings browserSettings = NativeCefFactory.createBrowserSettings();
        String page = server.url("/page.html");
        NativeCefFactory.createBrowser(windowInfo, client, page, browserSettings);
        windowInfo.dispose();
        browserSettings.dispose();
        Check.that(client.created.await(WaitSeconds, TimeUnit.SECONDS), "the browser is created");
        Check.equal("end " + page + " 200", EngineTests.await(client, "end "), "the page loads");
        return client;
    }

    private static void clickSlowLink(RecordingClient client) throws InterruptedException {
        CefFrame frame = client.browser.getMainFrame();
        frame.executeJavaScript("document.getElementById('slow').click();", "", 0);
        frame.dispose();
        Check.that(EngineTests.await(client, "download ").startsWith(
                "download application/zip SlowAddon.zip "), "the slow zip is offered");
    }

    /** Shuts the engine down on a thread of its own, failing when it does not end in time. */
    private static void shutDownWithin(long seconds) throws InterruptedException {
        Thread stopping = new Thread(NativeCefFactory::shutdown, "shutdown");
        stopping.setDaemon(true);
        stopping.start();
        stopping.join(TimeUnit.SECONDS.toMillis(seconds));
        Check.that(!stopping.isAlive(), "shutdown ends");
    }

    private static String awaitClose(RecordingClient client) throws InterruptedException {
        for (String event; (event = client.events.poll(WaitSeconds, TimeUnit.SECONDS)) != null;) {
            if (event.equals("close")) {
                return event;
            }
        }
        return "no close";
    }

    /** Whether the object is collected once nothing but the weak reference holds it. */
    private static boolean releasedAfterCollection(WeakReference<?> reference)
            throws InterruptedException {
        for (int attempt = 0; attempt < 100 && reference.get() != null; attempt++) {
            System.gc();
            Thread.sleep(50);
        }
        return reference.get() == null;
    }

    /** No file is left in a staging folder of the engine in the temporary folder. */
    private static boolean stagingFilesGone() {
        String temporary = System.getenv("TMPDIR");
        File[] folders = new File(temporary == null ? "/tmp" : temporary).listFiles(
                (folder, name) -> name.startsWith("plenfox-engine-downloads-"));
        if (folders == null) {
            return true;
        }
        for (File folder : folders) {
            String[] files = folder.list();
            if (files != null && files.length > 0) {
                return false;
            }
        }
        return true;
    }
}
