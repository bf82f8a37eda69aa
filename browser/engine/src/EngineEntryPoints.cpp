// The engine API's free functions, forwarding to the running Engine.
#include <QPointer>
#include <QWidget>

#include "BrowserImpl.h"
#include "Engine.h"
#include "QtText.h"
#include "cef_app.h"
#include "cef_browser.h"
#include "cef_task.h"
#include "cef_version.h"

int cef_build_revision() {
    return CEF_REVISION;
}

bool cef_initialize(int headerRevision, const CefSettings& settings,
                    CefRefPtr<CefApp> application) {
    return Engine::initialize(headerRevision, settings, application);
}

void CefShutdown() {
    Engine::shutdown();
}

bool CefPostTask(CefThreadId threadId, CefRefPtr<CefTask> task) {
    return CefPostDelayedTask(threadId, task, 0);
}

bool CefPostDelayedTask(CefThreadId threadId, CefRefPtr<CefTask> task, int64 delayMs) {
    if (!task)
        return false;
    return Engine::postTo(
        threadId, [task, threadId] { task->Execute(threadId); }, delayMs);
}

bool CefCurrentlyOn(CefThreadId threadId) {
    return Engine::isOn(threadId);
}

bool CefBrowser::CreateBrowser(CefWindowInfo& windowInfo, CefRefPtr<CefClient> client,
                               const CefString& url, const CefBrowserSettings& settings) {
    CefWindowInfo info = windowInfo;
    // Called on the UI thread (the engine runs on the program's GUI thread),
    // the parent is taken now: until the posted creation runs, showing other
    // browsers may make the parent's native window anew under another id.
    QPointer<QWidget> parent;
    if (Engine::isOn(TID_UI))
        parent = BrowserImpl::parentWidgetOf(info);
    return Engine::postTo(TID_UI, [info, client, url = toQUrl(url), settings, parent] {
        const auto engine = Engine::current();
        if (!engine)
            return;
        CefRefPtr<BrowserImpl> browser = new BrowserImpl(client, settings, false, {});
        browser->open(*engine, info, url, parent);
    });
}

CefRefPtr<CefBrowser> CefBrowser::CreateBrowserSync(CefWindowInfo& windowInfo,
                                                    CefRefPtr<CefClient> client,
                                                    const CefString& url,
                                                    const CefBrowserSettings& settings) {
    const auto engine = Engine::current();
    if (!engine || !engine->currentlyOn(TID_UI))
        return nullptr;
    CefRefPtr<BrowserImpl> browser = new BrowserImpl(client, settings, false, {});
    browser->open(*engine, windowInfo, toQUrl(url));
    windowInfo.m_hWnd = browser->GetWindowHandle();
    return browser.get();
}

bool CefSetBrowserWindowRect(cef_window_handle_t window, int x, int y, int width, int height) {
    const auto engine = Engine::current();
    if (!engine || window == cef_window_handle_t{} || !engine->hasBrowserWindow(window))
        return false;
    return engine->post(TID_UI, [window, x, y, width, height] {
        const auto engine = Engine::current();
        if (!engine)
            return;
        if (const auto browser = engine->browserForWindow(window))
            browser->setWindowRect(x, y, width, height);
    });
}
