#pragma once

#include <jawt.h>

namespace plenfox::jawt {

// The platform part of a drawing surface's info. Like the toolkit's own
// platform records, it starts with the native window id, which is all the
// browser engine needs of it.
struct PlatformSurfaceInfo {
    unsigned long window;
    void* display;
};

// A drawing surface over one client component. The component is reached
// through the JNI environment by three methods of its class: "lockSurface"
// "()Z" (false when it has no native window), "getNativeWindow" "()J" and
// "unlockSurface" "()V".
struct NativeWindowSurface {
    JAWT_DrawingSurface surface;
    bool locked;

    static JAWT_DrawingSurface* create(JNIEnv* env, jobject target);
    static void destroy(JAWT_DrawingSurface* surface);
};

} // namespace plenfox::jawt
