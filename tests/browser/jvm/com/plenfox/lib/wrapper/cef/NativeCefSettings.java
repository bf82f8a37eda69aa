package com.plenfox.lib.wrapper.cef;

/** The engine's global settings record, owned by this object. */
public class NativeCefSettings implements CefSettings {
    private long n_handleCefSettings;

    public boolean getMultiThreadedMessageLoop() {
        try {
            return n_getMultiThreadedMessageLoop();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setMultiThreadedMessageLoop(boolean value) {
        try {
            n_setMultiThreadedMessageLoop(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getCachePath() {
        try {
            return n_getCachePath();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setCachePath(String value) {
        try {
            n_setCachePath(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getUserAgent() {
        try {
            return n_getUserAgent();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setUserAgent(String value) {
        try {
            n_setUserAgent(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getProductVersion() {
        try {
            return n_getProductVersion();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setProductVersion(String value) {
        try {
            n_setProductVersion(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getLocale() {
        try {
            return n_getLocale();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setLocale(String value) {
        try {
            n_setLocale(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String[] getExtraPluginPaths() {
        try {
            return n_getExtraPluginPaths();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setExtraPluginPaths(String[] value) {
        try {
            n_setExtraPluginPaths(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getLogFile() {
        try {
            return n_getLogFile();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setLogFile(String value) {
        try {
            n_setLogFile(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public int getLogSeverity() {
        try {
            return n_getLogSeverity();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setLogSeverity(int value) {
        try {
            n_setLogSeverity(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public int getGraphicsImplementation() {
        try {
            return n_getGraphicsImplementation();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setGraphicsImplementation(int value) {
        try {
            n_setGraphicsImplementation(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public int getLocalStorageQuota() {
        try {
            return n_getLocalStorageQuota();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setLocalStorageQuota(int value) {
        try {
            n_setLocalStorageQuota(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public int getSessionStorageQuota() {
        try {
            return n_getSessionStorageQuota();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setSessionStorageQuota(int value) {
        try {
            n_setSessionStorageQuota(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getJavascriptFlags() {
        try {
            return n_getJavascriptFlags();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setJavascriptFlags(String value) {
        try {
            n_setJavascriptFlags(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getAutoDetectProxySettingsEnabled() {
        try {
            return n_getAutoDetectProxySettingsEnabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setAutoDetectProxySettingsEnabled(boolean value) {
        try {
            n_setAutoDetectProxySettingsEnabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getResourcesDirectory() {
        try {
            return n_getResourcesDirectory();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setResourcesDirectory(String value) {
        try {
            n_setResourcesDirectory(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getLocalesDirectory() {
        try {
            return n_getLocalesDirectory();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setLocalesDirectory(String value) {
        try {
            n_setLocalesDirectory(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getPackLoadingDisabled() {
        try {
            return n_getPackLoadingDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setPackLoadingDisabled(boolean value) {
        try {
            n_setPackLoadingDisabled(value);
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

    private native boolean n_getMultiThreadedMessageLoop();
    private native void n_setMultiThreadedMessageLoop(boolean value);
    private native String n_getCachePath();
    private native void n_setCachePath(String value);
    private native String n_getUserAgent();
    private native void n_setUserAgent(String value);
    private native String n_getProductVersion();
    private native void n_setProductVersion(String value);
    private native String n_getLocale();
    private native void n_setLocale(String value);
    private native String[] n_getExtraPluginPaths();
    private native void n_setExtraPluginPaths(String[] value);
    private native String n_getLogFile();
    private native void n_setLogFile(String value);
    private native int n_getLogSeverity();
    private native void n_setLogSeverity(int value);
    private native int n_getGraphicsImplementation();
    private native void n_setGraphicsImplementation(int value);
    private native int n_getLocalStorageQuota();
    private native void n_setLocalStorageQuota(int value);
    private native int n_getSessionStorageQuota();
    private native void n_setSessionStorageQuota(int value);
    private native String n_getJavascriptFlags();
    private native void n_setJavascriptFlags(String value);
    private native boolean n_getAutoDetectProxySettingsEnabled();
    private native void n_setAutoDetectProxySettingsEnabled(boolean value);
    private native String n_getResourcesDirectory();
    private native void n_setResourcesDirectory(String value);
    private native String n_getLocalesDirectory();
    private native void n_setLocalesDirectory(String value);
    private native boolean n_getPackLoadingDisabled();
    private native void n_setPackLoadingDisabled(boolean value);
    private native void n_dispose();
}
