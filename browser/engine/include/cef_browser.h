// A browser: one page with its history, shown in a window.
#pragma once

#include <vector>

#include "cef_base.h"
#include "cef_export.h"
#include "cef_frame.h"
#include "cef_types_wrappers.h"

class CefClient;

class CefBrowser : public virtual CefBase {
public:
    // Creates a browser on the UI thread and loads url; returns at once. The
    // client learns of the browser through CefLifeSpanHandler::OnAfterCreated.
    // False when the engine is not running.
    CEF_EXPORT static bool CreateBrowser(CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                                         const CefString& url, const CefBrowserSettings& settings);
    // As CreateBrowser, but on the UI thread only, returning the browser.
    CEF_EXPORT static CefRefPtr<CefBrowser> CreateBrowserSync(CefWindowInfo& windowInfo,
                                                              CefRefPtr<CefClient> client,
                                                              const CefString& url,
                                                              const CefBrowserSettings& settings);

    // The parent window is about to close; nothing needs to happen here.
    virtual void ParentWindowWillClose() = 0;
    // Asks the life-span handler's DoClose and then closes the browser.
    virtual void CloseBrowser() = 0;
    virtual bool CanGoBack() = 0;
    virtual void GoBack() = 0;
    virtual bool CanGoForward() = 0;
    virtual void GoForward() = 0;
    virtual void Reload() = 0;
    virtual void ReloadIgnoreCache() = 0;
    virtual void StopLoad() = 0;
    virtual void SetFocus(bool enable) = 0;
    // The native window that shows the browser (0 while it has none).
    virtual cef_window_handle_t GetWindowHandle() = 0;
    virtual cef_window_handle_t GetOpenerWindowHandle() = 0;
    virtual bool IsPopup() = 0;
    virtual bool HasDocument() = 0;
    virtual CefRefPtr<CefClient> GetClient() = 0;
    virtual CefRefPtr<CefFrame> GetMainFrame() = 0;
    virtual CefRefPtr<CefFrame> GetFocusedFrame() = 0;
    virtual CefRefPtr<CefFrame> GetFrame(const CefString& name) = 0;
    virtual void GetFrameNames(std::vector<CefString>& names) = 0;
    virtual double GetZoomLevel() = 0;
    virtual void SetZoomLevel(double zoomLevel) = 0;
    virtual void ClearHistory() = 0;
};

// Moves and resizes the browser window whose handle is given (as returned by
// GetWindowHandle), relative to its parent. Safe on any thread: the change is
// made on the UI thread. False when no open browser has that window.
CEF_EXPORT bool CefSetBrowserWindowRect(cef_window_handle_t window, int x, int y, int width,
                                        int height);
