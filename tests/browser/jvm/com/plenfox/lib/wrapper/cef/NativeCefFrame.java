package com.plenfox.lib.wrapper.cef;

/** A frame of an engine browser. */
public class NativeCefFrame implements CefFrame {
    private long n_handleCefFrame;

    public void undo() {
        try {
            n_undo();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void redo() {
        try {
            n_redo();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void cut() {
        try {
            n_cut();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void copy() {
        try {
            n_copy();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void paste() {
        try {
            n_paste();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void delete() {
        try {
            n_delete();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void selectAll() {
        try {
            n_selectAll();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void print() {
        try {
            n_print();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void viewSource() {
        try {
            n_viewSource();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getSource() {
        try {
            return n_getSource();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public String getText() {
        try {
            return n_getText();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void loadRequest(CefRequest request) {
        try {
            n_loadRequest(request);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void loadURL(String url) {
        try {
            n_loadURL(url);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void loadString(String content, String url) {
        try {
            n_loadString(content, url);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void loadStream(CefStreamReader reader, String url) {
        try {
            n_loadStream(reader, url);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public void executeJavaScript(String code, String scriptUrl, int startLine) {
        try {
            n_executeJavaScript(code, scriptUrl, startLine);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean isMain() {
        try {
            return n_isMain();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public boolean isFocused() {
        try {
            return n_isFocused();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public String getName() {
        try {
            return n_getName();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public String getURL() {
        try {
            return n_getURL();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void dispose() {
        try {
            n_dispose();
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    private native void n_undo();
    private native void n_redo();
    private native void n_cut();
    private native void n_copy();
    private native void n_paste();
    private native void n_delete();
    private native void n_selectAll();
    private native void n_print();
    private native void n_viewSource();
    private native String n_getSource();
    private native String n_getText();
    private native void n_loadRequest(CefRequest request);
    private native void n_loadURL(String url);
    private native void n_loadString(String content, String url);
    private native void n_loadStream(CefStreamReader reader, String url);
    private native void n_executeJavaScript(String code, String scriptUrl, int startLine);
    private native boolean n_isMain();
    private native boolean n_isFocused();
    private native String n_getName();
    private native String n_getURL();
    private native void n_dispose();
}
