// Engine start and stop.
#pragma once

#include "cef_base.h"
#include "cef_export.h"
#include "cef_proxy_handler.h"
#include "cef_resource_bundle_handler.h"
#include "cef_types_wrappers.h"
#include "cef_version.h"

// Process-wide handlers offered to the engine at start.
class CefApp : public virtual CefBase {
public:
    virtual CefRefPtr<CefProxyHandler> GetProxyHandler() { return nullptr; }
    virtual CefRefPtr<CefResourceBundleHandler> GetResourceBundleHandler() { return nullptr; }
};

// Starts the engine for callers compiled against headerRevision. Fails without
// starting anything when headerRevision is not cef_build_revision(), when
// multi_threaded_message_loop is off (no message-loop pumping is offered),
// or when the engine is already running.
CEF_EXPORT bool cef_initialize(int headerRevision, const CefSettings& settings,
                               CefRefPtr<CefApp> application);

// Starts the engine: its UI thread (the Qt GUI thread when the process has a
// QApplication, else a thread of the engine's own that owns the application),
// and its IO and FILE threads.
inline bool CefInitialize(const CefSettings& settings, CefRefPtr<CefApp> application) {
    return cef_initialize(CEF_REVISION, settings, application);
}

// Runs the tasks already posted, closes the browsers and stops the threads.
CEF_EXPORT void CefShutdown();
