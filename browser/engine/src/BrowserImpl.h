#pragma once

#include <functional>
#include <mutex>

#include <QPointer>
#include <QString>
#include <QUrl>

#include "cef_browser.h"
#include "cef_client.h"

class BrowserPage;
class BrowserView;
class Engine;
class QWebEngineNewWindowRequest;
class QWidget;

// A browser over one Qt WebEngine page and the view that shows it. The page
// and view live on the UI thread; calls from other threads are posted there,
// and the answers other threads need (history, URL, window) are cached here.
class BrowserImpl : public CefBrowser {
public:
    BrowserImpl(CefRefPtr<CefClient> client, const CefBrowserSettings& settings, bool popup,
                cef_window_handle_t opener);
    ~BrowserImpl() override;

    // The widget of this process whose native window the window information
    // names as parent, or null. UI thread only.
    static QPointer<QWidget> parentWidgetOf(const CefWindowInfo& windowInfo);

    // UI thread: builds the page and its window, registers the browser with
    // the engine, loads url (unless empty) and reports OnAfterCreated. The
    // parent widget, when known, is the one the window information named when
    // the browser was asked for; otherwise the parent is looked up by its id.
    void open(Engine& engine, const CefWindowInfo& windowInfo, const QUrl& url,
              QPointer<QWidget> parent = {});
    // UI thread: as open, for a popup that a page asked for.
    void openPopup(Engine& engine, const CefWindowInfo& windowInfo,
                   QWebEngineNewWindowRequest& request);

    void ParentWindowWillClose() override;
    void CloseBrowser() override;
    bool CanGoBack() override;
    void GoBack() override;
    bool CanGoForward() override;
    void GoForward() override;
    void Reload() override;
    void ReloadIgnoreCache() override;
    void StopLoad() override;
    void SetFocus(bool enable) override;
    cef_window_handle_t GetWindowHandle() override;
    cef_window_handle_t GetOpenerWindowHandle() override;
    bool IsPopup() override;
    bool HasDocument() override;
    CefRefPtr<CefClient> GetClient() override;
    CefRefPtr<CefFrame> GetMainFrame() override;
    CefRefPtr<CefFrame> GetFocusedFrame() override;
    CefRefPtr<CefFrame> GetFrame(const CefString& name) override;
    void GetFrameNames(std::vector<CefString>& names) override;
    double GetZoomLevel() override;
    void SetZoomLevel(double zoomLevel) override;
    void ClearHistory() override;

    // Engine side.
    const CefBrowserSettings& settings() const { return settings_; }
    // Runs work with the page on the UI thread: at once when called there,
    // else posted. Nothing happens once the browser is closed.
    void onUi(std::function<void(BrowserPage&)> work);
    // UI thread: the page, or null once closed.
    BrowserPage* page() const;
    // UI thread: refreshes the cached answers from the page.
    void refreshState();
    // UI thread: reports OnBeforeClose and destroys the window and page; at
    // once when immediately is set, except a page inside one of its signals.
    void closeNow(bool immediately = false);
    // UI thread: asks DoClose, then closes unless the handler keeps it.
    void requestClose();
    // UI thread: moves and resizes the window within its parent.
    void setWindowRect(int x, int y, int width, int height);
    QString url() const;
    bool isClosed() const;

private:
    void build(Engine& engine, const CefWindowInfo& windowInfo, QPointer<QWidget> parent);
    void placeView(const CefWindowInfo& windowInfo, QPointer<QWidget> parent);
    void announce(Engine& engine);

    const CefRefPtr<CefClient> client_;
    const CefBrowserSettings settings_;
    const bool popup_;
    const cef_window_handle_t opener_;

    mutable std::mutex lock_;
    bool canGoBack_ = false;
    bool canGoForward_ = false;
    bool closed_ = false;
    cef_window_handle_t window_{};
    QString url_;
    double zoomLevel_ = 0.0;

    // UI thread only.
    Engine* engine_ = nullptr;
    QPointer<BrowserView> view_;
    QPointer<BrowserPage> page_;

    IMPLEMENT_REFCOUNTING(BrowserImpl)
};
