#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

#include <QString>

#include "TaskThread.h"
#include "UiThread.h"
#include "cef_app.h"
#include "cef_browser.h"

class BrowserImpl;
class DownloadRelay;
class QWebEngineProfile;

// The running engine: its three threads, the web profile shared by its
// browsers, the open browsers and the downloads in progress. One exists while
// the engine runs; the API's free functions reach it through current().
class Engine {
public:
    Engine(const CefSettings& settings, CefRefPtr<CefApp> application);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    static bool initialize(int headerRevision, const CefSettings& settings,
                           CefRefPtr<CefApp> application);
    static void shutdown();
    // The running engine, or null.
    static std::shared_ptr<Engine> current();
    // Posts to a thread of the running engine; false when none runs.
    static bool postTo(CefThreadId threadId, std::function<void()> work, std::int64_t delayMs = 0);
    static bool isOn(CefThreadId threadId);

    bool post(CefThreadId threadId, std::function<void()> work, std::int64_t delayMs = 0);
    bool currentlyOn(CefThreadId threadId) const;
    void runOnUiAndWait(const std::function<void()>& work) { ui_.runAndWait(work); }

    const CefSettings& settings() const { return settings_; }
    CefRefPtr<CefApp> application() const { return application_; }

    // UI thread only.
    QWebEngineProfile* profile() const { return profile_; }
    // The parent of the browsers' pages. A page is no child of its view, so
    // that a view taken away with its parent window never takes the page
    // down inside one of the page's own signals.
    QObject* pages() const { return pages_; }
    DownloadRelay& downloads() const { return *downloads_; }
    void addBrowser(CefRefPtr<BrowserImpl> browser);
    void removeBrowser(BrowserImpl* browser);
    CefRefPtr<BrowserImpl> browserForWindow(cef_window_handle_t window) const;
    // Any thread: whether an open browser shows in the window.
    bool hasBrowserWindow(cef_window_handle_t window) const;

private:
    bool start();
    void startOnUi();
    void stop();
    void stopOnUi();

    CefSettings settings_;
    CefRefPtr<CefApp> application_;
    UiThread ui_;
    std::unique_ptr<TaskThread> io_;
    std::unique_ptr<TaskThread> file_;
    QWebEngineProfile* profile_ = nullptr;
    QObject* pages_ = nullptr;
    std::unique_ptr<DownloadRelay> downloads_;
    std::vector<CefRefPtr<BrowserImpl>> browsers_;
    mutable std::mutex windowsLock_;
    std::vector<cef_window_handle_t> windows_;
};
