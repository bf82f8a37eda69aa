#pragma once

#include "cef_types.h"

// Moves and resizes a browser window within its parent: the window system's
// call on Windows, the engine's own elsewhere (where browser windows are
// widgets the engine owns).
class WindowPlacement {
public:
    static bool setRect(cef_window_handle_t window, int x, int y, int width, int height);
};
