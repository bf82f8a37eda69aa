#include "WindowPlacement.h"

#ifdef _WIN32
#include <windows.h>
#else
#include "cef_browser.h"
#endif

bool WindowPlacement::setRect(cef_window_handle_t window, int x, int y, int width, int height) {
#ifdef _WIN32
    return SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER) != 0;
#else
    return CefSetBrowserWindowRect(window, x, y, width, height);
#endif
}
