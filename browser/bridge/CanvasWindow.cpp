#include "browser/bridge/CanvasWindow.h"

#include <dlfcn.h>
#include <jawt.h>

namespace viewlink {

namespace {

using GetAwtFunction = jboolean(JNICALL*)(JNIEnv*, JAWT*);

// The toolkit library already in the process, kept open while it is used.
class ToolkitLibrary {
public:
    ToolkitLibrary() {
        library_ = dlopen("libjawt.so", RTLD_LAZY | RTLD_NOLOAD);
        void* symbol = library_ ? dlsym(library_, "JAWT_GetAWT") : nullptr;
        if (!symbol)
            symbol = dlsym(RTLD_DEFAULT, "JAWT_GetAWT");
        getAwt_ = reinterpret_cast<GetAwtFunction>(symbol);
    }
    ~ToolkitLibrary() {
        if (library_)
            dlclose(library_);
    }
    ToolkitLibrary(const ToolkitLibrary&) = delete;
    ToolkitLibrary& operator=(const ToolkitLibrary&) = delete;

    GetAwtFunction getAwt() const { return getAwt_; }

private:
    void* library_ = nullptr;
    GetAwtFunction getAwt_ = nullptr;
};

// The first field of the platform information is the window (an X11 drawable,
// a Win32 window handle): read as one pointer-sized value.
std::uintptr_t windowOf(JAWT_DrawingSurface* surface) {
    JAWT_DrawingSurfaceInfo* info = surface->GetDrawingSurfaceInfo(surface);
    if (!info)
        return 0;
    std::uintptr_t window = 0;
    if (info->platformInfo)
        window = *static_cast<const std::uintptr_t*>(info->platformInfo);
    surface->FreeDrawingSurfaceInfo(info);
    return window;
}

} // namespace

std::uintptr_t CanvasWindow::handleOf(JNIEnv* env, jobject canvas) {
    if (!env || !canvas)
        return 0;
    ToolkitLibrary toolkit;
    if (!toolkit.getAwt())
        return 0;
    JAWT awt{};
    awt.version = JAWT_VERSION_1_4;
    if (toolkit.getAwt()(env, &awt) == JNI_FALSE || env->ExceptionCheck()) {
        env->ExceptionClear();
        return 0;
    }
    JAWT_DrawingSurface* surface = awt.GetDrawingSurface(env, canvas);
    if (env->ExceptionCheck()) {
        env->ExceptionClear();
        surface = nullptr;
    }
    if (!surface)
        return 0;
    std::uintptr_t window = 0;
    const jint lock = surface->Lock(surface);
    if ((lock & JAWT_LOCK_ERROR) == 0) {
        window = windowOf(surface);
        surface->Unlock(surface);
    }
    awt.FreeDrawingSurface(surface);
    return window;
}

} // namespace viewlink
