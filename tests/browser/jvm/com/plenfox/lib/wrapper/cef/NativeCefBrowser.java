package com.plenfox.lib.wrapper.cef;

/** A browser of the engine, one engine reference per object. */
public class NativeCefBrowser implements CefBrowser {
    private long n_handleCefBrowser;

    public boolean canGoBack() {
        try {
            return n_canGoBack();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void goBack() {
        try {
            n_goBack();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean canGoForward() {
        try {
            return n_canGoForward();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void goForward() {
        try {
            n_goForward();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void reload() {
        try {
            n_reload();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void reloadIgnoreCache() {
        try {
            n_reloadIgnoreCache();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void stopLoad() {
        try {
            n_stopLoad();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void setFocus(boolean enable) {
        try {
            n_setFocus(enable);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public long getWindowHandle() {
        try {
            return n_getWindowHandle();
        } catch (UnsatisfiedLinkError e) {
            return 0;
        }
    }

    public boolean isPopup() {
        try {
            return n_isPopup();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setClientRectangle(int x, int y, int width, int height) {
        try {
            n_setClientRectangle(x, y, width, height);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void close() {
        try {
            n_close();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void beforeParentClose() {
        try {
            n_beforeParentClose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public CefFrame getMainFrame() {
        try {
            return n_getMainFrame();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public synchronized void dispose() {
        try {
            n_dispose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    private native boolean n_canGoBack();
    private native void n_goBack();
    private native boolean n_canGoForward();
    private native void n_goForward();
    private native void n_reload();
    private native void n_reloadIgnoreCache();
    private native void n_stopLoad();
    private native void n_setFocus(boolean enable);
    private native long n_getWindowHandle();
    private native boolean n_isPopup();
    private native void n_setClientRectangle(int x, int y, int width, int height);
    private native void n_close();
    private native void n_beforeParentClose();
    private native CefFrame n_getMainFrame();
    private native void n_dispose();
}
