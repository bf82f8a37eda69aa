package com.plenfox.lib.wrapper.cef;

import java.nio.ByteBuffer;

/** Client handlers whose calls the native bridge tests count through CallRecorder. */
public final class TestHandlers {
    private TestHandlers() {}

    public static final class Load implements CefLoadHandler {
        public void onLoadStart(CefBrowser browser, CefFrame frame) {
            CallRecorder.record("onLoadStart");
            CallRecorder.keep("frame", frame);
        }

        public void onLoadEnd(CefBrowser browser, CefFrame frame, int statusCode) {
            CallRecorder.record("onLoadEnd " + statusCode);
        }

        public boolean onLoadError(CefBrowser browser, CefFrame frame,
                CefHandlerErrorCode errorCode, String failedUrl, CefStringBox errorText) {
            CallRecorder.record("onLoadError " + errorCode + " " + failedUrl + " "
                    + errorText.getValue());
            errorText.setValue("replaced \ud834\udd1e");
            return true;
        }
    }

    /** Throws from onBeforeBrowse; sets box values and then throws from onResourceRedirect. */
    public static final class Request implements CefRequestHandler {
        public boolean onBeforeBrowse(CefBrowser browser, CefFrame frame, CefRequest request,
                CefNavigationType navigationType, boolean isRedirect) {
            CallRecorder.record("onBeforeBrowse " + navigationType + " " + isRedirect);
            throw new IllegalStateException("a faulty handler");
        }

        public boolean onBeforeResourceLoad(CefBrowser browser, CefRequest request,
                CefStringBox redirectUrl, CefStreamReaderBox resourceStream,
                CefResponse response, int loadFlags) {
            return false;
        }

        public void onResourceRedirect(CefBrowser browser, String oldUrl, CefStringBox newUrl) {
            newUrl.setValue("http://changed.invalid/");
            throw new IllegalStateException("thrown after writing the box");
        }

        public void onResourceResponse(CefBrowser browser, String url, CefResponse response,
                CefContentFilterBox filter) {
            CallRecorder.record("onResourceResponse");
        }

        public boolean onProtocolExecution(CefBrowser browser, String url,
                CefBooleanBox allowOsExecution) {
            allowOsExecution.setValue(!allowOsExecution.getValue());
            return true;
        }

        public boolean getDownloadHandler(CefBrowser browser, String mimeType, String fileName,
                long contentLength, CefDownloadHandlerBox handler) {
            CallRecorder.record("getDownloadHandler " + mimeType + " " + fileName + " "
                    + contentLength);
            handler.setValue(fileName.startsWith("limited")
                    ? new LimitedDownload(4) : new CollectingDownloadHandler());
            return true;
        }

        public boolean getAuthCredentials(CefBrowser browser, boolean isProxy, String host,
                int port, String realm, String scheme, CefStringBox username,
                CefStringBox password) {
            username.setValue("user " + host + ":" + port);
            password.setValue(null);
            return true;
        }

        public CefCookieManager getCookieManager(CefBrowser browser, String mainUrl) {
            return null;
        }
    }

    /** Takes a download up to a number of bytes and refuses the rest, as a size cap does. */
    public static final class LimitedDownload implements CefDownloadHandler {
        private final int limit;
        private int received;

        LimitedDownload(int limit) {
            this.limit = limit;
        }

        public boolean receivedData(java.nio.ByteBuffer data) {
            received += data.remaining();
            CallRecorder.record("receivedData " + received);
            return received <= limit;
        }

        public void complete() {
            CallRecorder.record("complete");
        }
    }

    /** Fills the whole buffer it is given and claims more items than were asked for. */
    public static final class Reader implements CefStreamReader {
        public long read(ByteBuffer buffer, long n) {
            CallRecorder.record("read capacity " + buffer.capacity() + " n " + n);
            while (buffer.hasRemaining()) {
                buffer.put((byte) 'x');
            }
            return n + 5;
        }

        public boolean seek(long offset, CefSeekType whence) {
            CallRecorder.record("seek " + offset + " " + whence);
            return offset >= 0;
        }

        public long tell() {
            return 7;
        }

        public boolean eof() {
            return true;
        }
    }

    /** Answers a named proxy and keeps the information object beyond the call. */
    public static final class Proxy implements CefProxyHandler {
        public void getProxyForUrl(String url, CefProxyInfo proxyInfo) {
            CallRecorder.record("getProxyForUrl " + url + " " + proxyInfo.getProxyType());
            proxyInfo.setProxyType(1);
            proxyInfo.setProxyList("proxy.invalid:3128");
            CallRecorder.keep("proxyInfo", proxyInfo);
        }
    }

    /** Replaces the engine's string of message 1, declines all others. */
    public static final class Bundle implements CefResourceBundleHandler {
        public boolean getLocalizedString(int messageId, CefStringBox string) {
            CallRecorder.record("getLocalizedString " + messageId + " " + string.getValue());
            if (messageId != 1) {
                return false;
            }
            string.setValue("\u00c4rger");
            return true;
        }
    }

    /** Lets popups open, painted transparently; keeps the window info beyond the call. */
    public static final class LifeSpan implements CefLifeSpanHandler {
        public boolean onBeforePopup(CefBrowser parent, CefPopupFeatures features,
                CefWindowInfo windowInfo, String url, CefClientBox client,
                CefBrowserSettings settings) {
            CallRecorder.record("onBeforePopup " + url + " " + (features == null)
                    + " " + (client == null));
            ((NativeCefWindowInfo) windowInfo).setTransparentPainting(true);
            CallRecorder.keep("windowInfo", windowInfo);
            settings.dispose();
            return false;
        }

        public void onAfterCreated(CefBrowser browser) {}

        public boolean runModal(CefBrowser browser) {
            return false;
        }

        public boolean doClose(CefBrowser browser) {
            return true;
        }

        public void onBeforeClose(CefBrowser browser) {}
    }

    /** Sees a read-only body and substitutes its own reader. */
    public static final class Filter implements CefContentFilter {
        public void processData(ByteBuffer data, CefStreamReaderBox substitute) {
            CallRecorder.record("processData " + data.remaining() + " " + data.isReadOnly()
                    + " " + (substitute.getValue() == null));
            substitute.setValue(new Reader());
        }

        public void drain(CefStreamReaderBox remainder) {
            CallRecorder.record("drain " + (remainder.getValue() == null));
            remainder.setValue(null);
        }
    }

    /** A client that has no load handler. */
    public static final class ClientWithoutLoadHandler extends CefClientAdapter {
        @Override
        public CefLoadHandler getLoadHandler() {
            CallRecorder.record("getLoadHandler");
            return null;
        }
    }
}
