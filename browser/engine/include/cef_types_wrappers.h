// Value classes over the plain records: created with their size field set and
// everything else zero; copies are deep (strings and string lists included).
#pragma once

#include "cef_types.h"

class CefSettings : public cef_settings_t {
public:
    CefSettings() { size = sizeof(cef_settings_t); }
};

class CefBrowserSettings : public cef_browser_settings_t {
public:
    CefBrowserSettings() { size = sizeof(cef_browser_settings_t); }
};

class CefWindowInfo : public cef_window_info_t {
public:
    // A child window of the given parent at the given rectangle.
    void SetAsChild(cef_window_handle_t parent, int x, int y, int width, int height) {
        m_hWndParent = parent;
        m_x = x;
        m_y = y;
        m_nWidth = width;
        m_nHeight = height;
    }
    // A browser rendered without a visible window.
    void SetAsOffScreen(cef_window_handle_t parent) {
        m_bWindowRenderingDisabled = true;
        m_hWndParent = parent;
    }
    void SetTransparentPainting(bool transparent) { m_bTransparentPainting = transparent; }
};

class CefProxyInfo : public cef_proxy_info_t {
public:
    void UseDirect() {
        proxyType = CEF_PROXY_TYPE_DIRECT;
        proxyList.clear();
    }
    void UseNamedProxy(const CefString& list) {
        proxyType = CEF_PROXY_TYPE_NAMED;
        proxyList = list;
    }
    void UsePacString(const CefString& pac) {
        proxyType = CEF_PROXY_TYPE_PAC_STRING;
        proxyList = pac;
    }
    bool IsDirect() const { return proxyType == CEF_PROXY_TYPE_DIRECT; }
};

class CefPopupFeatures : public cef_popup_features_t {};
