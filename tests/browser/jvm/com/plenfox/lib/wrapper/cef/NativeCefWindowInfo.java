package com.plenfox.lib.wrapper.cef;

/** A window description record, owned by this object. */
public class NativeCefWindowInfo implements CefWindowInfo {
    private long n_handleCefWindowInfo;

    public void setChild(java.awt.Component canvas, int x, int y, int width, int height) {
        try {
            n_setChild(canvas, x, y, width, height);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void setPopup(java.awt.Component canvas, String windowName) {
        try {
            n_setPopup(canvas, windowName);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void setOffscreen(java.awt.Component canvas) {
        try {
            n_setOffscreen(canvas);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void setTransparentPainting(boolean transparent) {
        try {
            n_setTransparentPainting(transparent);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void dispose() {
        try {
            n_dispose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    private native void n_setChild(java.awt.Component canvas, int x, int y, int width, int height);
    private native void n_setPopup(java.awt.Component canvas, String windowName);
    private native void n_setOffscreen(java.awt.Component canvas);
    private native void n_setTransparentPainting(boolean transparent);
    private native void n_dispose();
}
