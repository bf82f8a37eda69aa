package com.plenfox.lib.wrapper.cef;

/** A browser settings record, owned by this object. */
public class NativeCefBrowserSettings implements CefBrowserSettings {
    private long n_handleCefBrowserSettings;

    public boolean getDragAndDropDisabled() {
        try {
            return n_getDragAndDropDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setDragAndDropDisabled(boolean value) {
        try {
            n_setDragAndDropDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getStandardFontFamily() {
        try {
            return n_getStandardFontFamily();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setStandardFontFamily(String value) {
        try {
            n_setStandardFontFamily(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getFixedFontFamily() {
        try {
            return n_getFixedFontFamily();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setFixedFontFamily(String value) {
        try {
            n_setFixedFontFamily(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getSerifFontFamily() {
        try {
            return n_getSerifFontFamily();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setSerifFontFamily(String value) {
        try {
            n_setSerifFontFamily(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getSansSerifFontFamily() {
        try {
            return n_getSansSerifFontFamily();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setSansSerifFontFamily(String value) {
        try {
            n_setSansSerifFontFamily(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getCursiveFontFamily() {
        try {
            return n_getCursiveFontFamily();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setCursiveFontFamily(String value) {
        try {
            n_setCursiveFontFamily(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getFantasyFontFamily() {
        try {
            return n_getFantasyFontFamily();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setFantasyFontFamily(String value) {
        try {
            n_setFantasyFontFamily(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public int getDefaultFontSize() {
        try {
            return n_getDefaultFontSize();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setDefaultFontSize(int value) {
        try {
            n_setDefaultFontSize(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public int getDefaultFixedFontSize() {
        try {
            return n_getDefaultFixedFontSize();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setDefaultFixedFontSize(int value) {
        try {
            n_setDefaultFixedFontSize(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public int getMinimumFontSize() {
        try {
            return n_getMinimumFontSize();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setMinimumFontSize(int value) {
        try {
            n_setMinimumFontSize(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public int getMinimumLogicalFontSize() {
        try {
            return n_getMinimumLogicalFontSize();
        } catch (UnsatisfiedLinkError e) {
            return -1;
        }
    }

    public void setMinimumLogicalFontSize(int value) {
        try {
            n_setMinimumLogicalFontSize(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getRemoteFontsDisabled() {
        try {
            return n_getRemoteFontsDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setRemoteFontsDisabled(boolean value) {
        try {
            n_setRemoteFontsDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getDefaultEncoding() {
        try {
            return n_getDefaultEncoding();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setDefaultEncoding(String value) {
        try {
            n_setDefaultEncoding(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getEncodingDetectorEnabled() {
        try {
            return n_getEncodingDetectorEnabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setEncodingDetectorEnabled(boolean value) {
        try {
            n_setEncodingDetectorEnabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getJavascriptDisabled() {
        try {
            return n_getJavascriptDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setJavascriptDisabled(boolean value) {
        try {
            n_setJavascriptDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getJavascriptOpenWindowsDisallowed() {
        try {
            return n_getJavascriptOpenWindowsDisallowed();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setJavascriptOpenWindowsDisallowed(boolean value) {
        try {
            n_setJavascriptOpenWindowsDisallowed(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getJavascriptCloseWindowsDisallowed() {
        try {
            return n_getJavascriptCloseWindowsDisallowed();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setJavascriptCloseWindowsDisallowed(boolean value) {
        try {
            n_setJavascriptCloseWindowsDisallowed(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getJavascriptAccessClipboardDisallowed() {
        try {
            return n_getJavascriptAccessClipboardDisallowed();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setJavascriptAccessClipboardDisallowed(boolean value) {
        try {
            n_setJavascriptAccessClipboardDisallowed(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getDomPasteDisabled() {
        try {
            return n_getDomPasteDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setDomPasteDisabled(boolean value) {
        try {
            n_setDomPasteDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getCaretBrowsingEnabled() {
        try {
            return n_getCaretBrowsingEnabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setCaretBrowsingEnabled(boolean value) {
        try {
            n_setCaretBrowsingEnabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getJavaDisabled() {
        try {
            return n_getJavaDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setJavaDisabled(boolean value) {
        try {
            n_setJavaDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getPluginsDisabled() {
        try {
            return n_getPluginsDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setPluginsDisabled(boolean value) {
        try {
            n_setPluginsDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getUniversalAccessFromFileUrlsAllowed() {
        try {
            return n_getUniversalAccessFromFileUrlsAllowed();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setUniversalAccessFromFileUrlsAllowed(boolean value) {
        try {
            n_setUniversalAccessFromFileUrlsAllowed(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getFileAccessFromFileUrlsAllowed() {
        try {
            return n_getFileAccessFromFileUrlsAllowed();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setFileAccessFromFileUrlsAllowed(boolean value) {
        try {
            n_setFileAccessFromFileUrlsAllowed(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getWebSecurityDisabled() {
        try {
            return n_getWebSecurityDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setWebSecurityDisabled(boolean value) {
        try {
            n_setWebSecurityDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getXssAuditorEnabled() {
        try {
            return n_getXssAuditorEnabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setXssAuditorEnabled(boolean value) {
        try {
            n_setXssAuditorEnabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getImageLoadDisabled() {
        try {
            return n_getImageLoadDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setImageLoadDisabled(boolean value) {
        try {
            n_setImageLoadDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getShrinkStandaloneImagesToFit() {
        try {
            return n_getShrinkStandaloneImagesToFit();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setShrinkStandaloneImagesToFit(boolean value) {
        try {
            n_setShrinkStandaloneImagesToFit(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getSiteSpecificQuirksDisabled() {
        try {
            return n_getSiteSpecificQuirksDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setSiteSpecificQuirksDisabled(boolean value) {
        try {
            n_setSiteSpecificQuirksDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getTextAreaResizeDisabled() {
        try {
            return n_getTextAreaResizeDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setTextAreaResizeDisabled(boolean value) {
        try {
            n_setTextAreaResizeDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getPageCacheDisabled() {
        try {
            return n_getPageCacheDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setPageCacheDisabled(boolean value) {
        try {
            n_setPageCacheDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getTabToLinksDisabled() {
        try {
            return n_getTabToLinksDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setTabToLinksDisabled(boolean value) {
        try {
            n_setTabToLinksDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getHyperlinkAuditingDisabled() {
        try {
            return n_getHyperlinkAuditingDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setHyperlinkAuditingDisabled(boolean value) {
        try {
            n_setHyperlinkAuditingDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getUserStyleSheetEnabled() {
        try {
            return n_getUserStyleSheetEnabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setUserStyleSheetEnabled(boolean value) {
        try {
            n_setUserStyleSheetEnabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public String getUserStyleSheetLocation() {
        try {
            return n_getUserStyleSheetLocation();
        } catch (UnsatisfiedLinkError e) {
            return null;
        }
    }

    public void setUserStyleSheetLocation(String value) {
        try {
            n_setUserStyleSheetLocation(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getAuthorAndUserStylesDisabled() {
        try {
            return n_getAuthorAndUserStylesDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setAuthorAndUserStylesDisabled(boolean value) {
        try {
            n_setAuthorAndUserStylesDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getLocalStorageDisabled() {
        try {
            return n_getLocalStorageDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setLocalStorageDisabled(boolean value) {
        try {
            n_setLocalStorageDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getDatabasesDisabled() {
        try {
            return n_getDatabasesDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setDatabasesDisabled(boolean value) {
        try {
            n_setDatabasesDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getApplicationCacheDisabled() {
        try {
            return n_getApplicationCacheDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setApplicationCacheDisabled(boolean value) {
        try {
            n_setApplicationCacheDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getWebglDisabled() {
        try {
            return n_getWebglDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setWebglDisabled(boolean value) {
        try {
            n_setWebglDisabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getAcceleratedCompositingEnabled() {
        try {
            return n_getAcceleratedCompositingEnabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setAcceleratedCompositingEnabled(boolean value) {
        try {
            n_setAcceleratedCompositingEnabled(value);
        } catch (UnsatisfiedLinkError e) {
            // the bridge does not offer this operation
        }
    }

    public boolean getAccelerated2dCanvasDisabled() {
        try {
            return n_getAccelerated2dCanvasDisabled();
        } catch (UnsatisfiedLinkError e) {
            return false;
        }
    }

    public void setAccelerated2dCanvasDisabled(boolean value) {
        try {
            n_setAccelerated2dCanvasDisabled(value);
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

    private native boolean n_getDragAndDropDisabled();
    private native void n_setDragAndDropDisabled(boolean value);
    private native String n_getStandardFontFamily();
    private native void n_setStandardFontFamily(String value);
    private native String n_getFixedFontFamily();
    private native void n_setFixedFontFamily(String value);
    private native String n_getSerifFontFamily();
    private native void n_setSerifFontFamily(String value);
    private native String n_getSansSerifFontFamily();
    private native void n_setSansSerifFontFamily(String value);
    private native String n_getCursiveFontFamily();
    private native void n_setCursiveFontFamily(String value);
    private native String n_getFantasyFontFamily();
    private native void n_setFantasyFontFamily(String value);
    private native int n_getDefaultFontSize();
    private native void n_setDefaultFontSize(int value);
    private native int n_getDefaultFixedFontSize();
    private native void n_setDefaultFixedFontSize(int value);
    private native int n_getMinimumFontSize();
    private native void n_setMinimumFontSize(int value);
    private native int n_getMinimumLogicalFontSize();
    private native void n_setMinimumLogicalFontSize(int value);
    private native boolean n_getRemoteFontsDisabled();
    private native void n_setRemoteFontsDisabled(boolean value);
    private native String n_getDefaultEncoding();
    private native void n_setDefaultEncoding(String value);
    private native boolean n_getEncodingDetectorEnabled();
    private native void n_setEncodingDetectorEnabled(boolean value);
    private native boolean n_getJavascriptDisabled();
    private native void n_setJavascriptDisabled(boolean value);
    private native boolean n_getJavascriptOpenWindowsDisallowed();
    private native void n_setJavascriptOpenWindowsDisallowed(boolean value);
    private native boolean n_getJavascriptCloseWindowsDisallowed();
    private native void n_setJavascriptCloseWindowsDisallowed(boolean value);
    private native boolean n_getJavascriptAccessClipboardDisallowed();
    private native void n_setJavascriptAccessClipboardDisallowed(boolean value);
    private native boolean n_getDomPasteDisabled();
    private native void n_setDomPasteDisabled(boolean value);
    private native boolean n_getCaretBrowsingEnabled();
    private native void n_setCaretBrowsingEnabled(boolean value);
    private native boolean n_getJavaDisabled();
    private native void n_setJavaDisabled(boolean value);
    private native boolean n_getPluginsDisabled();
    private native void n_setPluginsDisabled(boolean value);
    private native boolean n_getUniversalAccessFromFileUrlsAllowed();
    private native void n_setUniversalAccessFromFileUrlsAllowed(boolean value);
    private native boolean n_getFileAccessFromFileUrlsAllowed();
    private native void n_setFileAccessFromFileUrlsAllowed(boolean value);
    private native boolean n_getWebSecurityDisabled();
    private native void n_setWebSecurityDisabled(boolean value);
    private native boolean n_getXssAuditorEnabled();
    private native void n_setXssAuditorEnabled(boolean value);
    private native boolean n_getImageLoadDisabled();
    private native void n_setImageLoadDisabled(boolean value);
    private native boolean n_getShrinkStandaloneImagesToFit();
    private native void n_setShrinkStandaloneImagesToFit(boolean value);
    private native boolean n_getSiteSpecificQuirksDisabled();
    private native void n_setSiteSpecificQuirksDisabled(boolean value);
    private native boolean n_getTextAreaResizeDisabled();
    private native void n_setTextAreaResizeDisabled(boolean value);
    private native boolean n_getPageCacheDisabled();
    private native void n_setPageCacheDisabled(boolean value);
    private native boolean n_getTabToLinksDisabled();
    private native void n_setTabToLinksDisabled(boolean value);
    private native boolean n_getHyperlinkAuditingDisabled();
    private native void n_setHyperlinkAuditingDisabled(boolean value);
    private native boolean n_getUserStyleSheetEnabled();
    private native void n_setUserStyleSheetEnabled(boolean value);
    private native String n_getUserStyleSheetLocation();
    private native void n_setUserStyleSheetLocation(String value);
    private native boolean n_getAuthorAndUserStylesDisabled();
    private native void n_setAuthorAndUserStylesDisabled(boolean value);
    private native boolean n_getLocalStorageDisabled();
    private native void n_setLocalStorageDisabled(boolean value);
    private native boolean n_getDatabasesDisabled();
    private native void n_setDatabasesDisabled(boolean value);
    private native boolean n_getApplicationCacheDisabled();
    private native void n_setApplicationCacheDisabled(boolean value);
    private native boolean n_getWebglDisabled();
    private native void n_setWebglDisabled(boolean value);
    private native boolean n_getAcceleratedCompositingEnabled();
    private native void n_setAcceleratedCompositingEnabled(boolean value);
    private native boolean n_getAccelerated2dCanvasDisabled();
    private native void n_setAccelerated2dCanvasDisabled(boolean value);
    private native void n_dispose();
}
