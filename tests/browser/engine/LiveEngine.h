#pragma once

#include <string>
#include <vector>

#include "RecordingClient.h"
#include "cef_browser.h"

// The engine shared by the tests of one process: started on first use,
// stopped when the tests end (a process can start it only once).
class LiveEngine {
public:
    static void ensureStarted();
    static void shutdownIfStarted();
    // Files inside the engine's download staging folders.
    static std::vector<std::string> stagingFiles();
    // Creates a browser in a window of its own and waits for it.
    static CefRefPtr<CefBrowser> openBrowser(CefRefPtr<RecordingClient> client,
                                             const std::string& url);
    // Closes the browser and waits until it is gone.
    static void closeBrowser(CefRefPtr<RecordingClient> client, CefRefPtr<CefBrowser> browser);
};
