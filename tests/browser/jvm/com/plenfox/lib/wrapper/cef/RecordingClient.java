package com.plenfox.lib.wrapper.cef;

import java.util.concurrent.BlockingQueue;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.LinkedBlockingQueue;
import java.util.concurrent.atomic.AtomicInteger;

/**
 * A client whose handlers record what the engine reports as text lines. The
 * request handler throws for pages named "throw", and accepts every download
 * into a collecting handler.
 */
final class RecordingClient extends CefClientAdapter {
    final BlockingQueue<String> events = new LinkedBlockingQueue<>();
    final CountDownLatch created = new CountDownLatch(1);
    final AtomicInteger browsersCreated = new AtomicInteger();
    final Thread testThread = Thread.currentThread();
    volatile CefBrowser browser;
    volatile String sourceAtLoadEnd;
    volatile CollectingDownloadHandler download;
    /** Sees each download handler before it is handed to the engine; may be null. */
    volatile java.util.function.Consumer<CollectingDownloadHandler> onDownload;
    volatile boolean requestChecked;
    volatile boolean responseChecked;

    private final CefLifeSpanHandler lifeSpan = new CefLifeSpanHandler() {
        public boolean onBeforePopup(CefBrowser parent, CefPopupFeatures features,
                CefWindowInfo windowInfo, String url, CefClientBox client,
                CefBrowserSettings settings) {
            return true;
        }

        public void onAfterCreated(CefBrowser created) {
            browsersCreated.incrementAndGet();
            browser = created;
            RecordingClient.this.created.countDown();
        }

        public boolean runModal(CefBrowser browser) {
            return false;
        }

        public boolean doClose(CefBrowser browser) {
            return false;
        }

        public void onBeforeClose(CefBrowser closing) {
            closing.dispose();
            record("close");
        }
    };

    private final CefLoadHandler load = new CefLoadHandler() {
        public void onLoadStart(CefBrowser browser, CefFrame frame) {
            String url = frame.getURL();
            frame.dispose();
            browser.dispose();
            record("start " + url);
        }

        public void onLoadEnd(CefBrowser browser, CefFrame frame, int statusCode) {
            // Engine threads run callbacks; this one is the UI thread, where
            // the page source can be read.
            if (frame.isMain()) {
                sourceAtLoadEnd = frame.getSource();
            }
            String url = frame.getURL();
            frame.dispose();
            browser.dispose();
            // Recorded last: the test may drop its own references as soon as
            // it sees the event.
            record("end " + url + " " + statusCode);
        }

        public boolean onLoadError(CefBrowser browser, CefFrame frame,
                CefHandlerErrorCode errorCode, String failedUrl, CefStringBox errorText) {
            frame.dispose();
            browser.dispose();
            record("error " + errorCode + " " + failedUrl);
            return false;
        }
    };

    private final CefRequestHandler request = new CefRequestHandler() {
        public boolean onBeforeBrowse(CefBrowser browser, CefFrame frame, CefRequest request,
                CefNavigationType navigationType, boolean isRedirect) {
            String url = request.getURL();
            if (!requestChecked) {
                requestChecked = true;
                RequestChecks.run(request);
            }
            request.dispose();
            frame.dispose();
            browser.dispose();
            record("browse " + url);
            if (url != null && url.contains("throw")) {
                throw new IllegalStateException("a faulty handler");
            }
            return false;
        }

        public boolean onBeforeResourceLoad(CefBrowser browser, CefRequest request,
                CefStringBox redirectUrl, CefStreamReaderBox resourceStream,
                CefResponse response, int loadFlags) {
            if (!responseChecked && response != null) {
                responseChecked = true;
                RequestChecks.response(response);
            }
            request.dispose();
            browser.dispose();
            return false;
        }

        public void onResourceRedirect(CefBrowser browser, String oldUrl, CefStringBox newUrl) {}

        public void onResourceResponse(CefBrowser browser, String url, CefResponse response,
                CefContentFilterBox filter) {}

        public boolean onProtocolExecution(CefBrowser browser, String url,
                CefBooleanBox allowOsExecution) {
            return false;
        }

        public boolean getDownloadHandler(CefBrowser browser, String mimeType, String fileName,
                long contentLength, CefDownloadHandlerBox handler) {
            CollectingDownloadHandler made = new CollectingDownloadHandler();
            java.util.function.Consumer<CollectingDownloadHandler> seen = onDownload;
            if (seen != null) {
                seen.accept(made);
            }
            download = made;
            handler.setValue(made);
            browser.dispose();
            record("download " + mimeType + " " + fileName + " " + contentLength);
            return true;
        }

        public boolean getAuthCredentials(CefBrowser browser, boolean isProxy, String host,
                int port, String realm, String scheme, CefStringBox username,
                CefStringBox password) {
            return false;
        }

        public CefCookieManager getCookieManager(CefBrowser browser, String mainUrl) {
            return null;
        }
    };

    private void record(String event) {
        Check.that(Thread.currentThread() != testThread,
                "callbacks arrive on an engine thread: " + event);
        events.add(event);
    }

    @Override
    public CefLifeSpanHandler getLifeSpanHandler() {
        return lifeSpan;
    }

    @Override
    public CefLoadHandler getLoadHandler() {
        return load;
    }

    @Override
    public CefRequestHandler getRequestHandler() {
        return request;
    }
}
