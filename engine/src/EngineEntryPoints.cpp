#include "cef_app.h"
#include "cef_browser.h"
#include "cef_task.h"
#include "cef_version.h"

int cef_build_revision() {
    return CEF_REVISION;
}

// The live engine is not started yet by this build: every entry point
// answers that nothing runs.
bool cef_initialize(int, const CefSettings&, CefRefPtr<CefApp>) {
    return false;
}

void CefShutdown() {}

bool CefPostTask(CefThreadId, CefRefPtr<CefTask>) {
    return false;
}

bool CefPostDelayedTask(CefThreadId, CefRefPtr<CefTask>, int64) {
    return false;
}

bool CefCurrentlyOn(CefThreadId) {
    return false;
}

bool CefBrowser::CreateBrowser(CefWindowInfo&, CefRefPtr<CefClient>, const CefString&,
                               const CefBrowserSettings&) {
    return false;
}

CefRefPtr<CefBrowser> CefBrowser::CreateBrowserSync(CefWindowInfo&, CefRefPtr<CefClient>,
                                                    const CefString&, const CefBrowserSettings&) {
    return nullptr;
}

bool CefSetBrowserWindowRect(cef_window_handle_t, int, int, int, int) {
    return false;
}
