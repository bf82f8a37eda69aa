#include "NativeWindowSurface.h"

#include <new>

namespace plenfox::jawt {

namespace {

// Calls a method of the surface's component; any failure (no such method, an
// exception) answers false and leaves nothing pending.
bool callComponent(JAWT_DrawingSurface* surface, const char* name, const char* signature,
                   jvalue* result) {
    JNIEnv* env = surface->env;
    jclass componentClass = env->GetObjectClass(surface->target);
    if (!componentClass) {
        env->ExceptionClear();
        return false;
    }
    jmethodID method = env->GetMethodID(componentClass, name, signature);
    env->DeleteLocalRef(componentClass);
    if (!method) {
        env->ExceptionClear();
        return false;
    }
    const char kind = signature[2];
    if (kind == 'Z')
        result->z = env->CallBooleanMethodA(surface->target, method, nullptr);
    else if (kind == 'J')
        result->j = env->CallLongMethodA(surface->target, method, nullptr);
    else
        env->CallVoidMethodA(surface->target, method, nullptr);
    if (env->ExceptionCheck()) {
        env->ExceptionClear();
        return false;
    }
    return true;
}

jint JNICALL lock(JAWT_DrawingSurface* surface) {
    jvalue result{};
    if (!callComponent(surface, "lockSurface", "()Z", &result) || result.z != JNI_TRUE)
        return JAWT_LOCK_ERROR;
    reinterpret_cast<NativeWindowSurface*>(surface)->locked = true;
    return 0;
}

void JNICALL unlock(JAWT_DrawingSurface* surface) {
    auto* own = reinterpret_cast<NativeWindowSurface*>(surface);
    if (!own->locked)
        return;
    own->locked = false;
    jvalue ignored{};
    callComponent(surface, "unlockSurface", "()V", &ignored);
}

struct SurfaceInfo {
    JAWT_DrawingSurfaceInfo info;
    PlatformSurfaceInfo platform;
};

JAWT_DrawingSurfaceInfo* JNICALL getInfo(JAWT_DrawingSurface* surface) {
    if (!reinterpret_cast<NativeWindowSurface*>(surface)->locked)
        return nullptr;
    jvalue window{};
    if (!callComponent(surface, "getNativeWindow", "()J", &window) || window.j == 0)
        return nullptr;
    auto* made = new (std::nothrow) SurfaceInfo{};
    if (!made)
        return nullptr;
    made->platform.window = static_cast<unsigned long>(window.j);
    made->info.platformInfo = &made->platform;
    made->info.ds = surface;
    return &made->info;
}

void JNICALL freeInfo(JAWT_DrawingSurfaceInfo* info) {
    // `info` is the first member of the record getInfo made.
    delete reinterpret_cast<SurfaceInfo*>(info);
}

} // namespace

JAWT_DrawingSurface* NativeWindowSurface::create(JNIEnv* env, jobject target) {
    if (!env || !target)
        return nullptr;
    jobject global = env->NewGlobalRef(target);
    if (!global)
        return nullptr;
    auto* made = new (std::nothrow) NativeWindowSurface{};
    if (!made) {
        env->DeleteGlobalRef(global);
        return nullptr;
    }
    made->surface.env = env;
    made->surface.target = global;
    made->surface.Lock = &lock;
    made->surface.Unlock = &unlock;
    made->surface.GetDrawingSurfaceInfo = &getInfo;
    made->surface.FreeDrawingSurfaceInfo = &freeInfo;
    return &made->surface;
}

void NativeWindowSurface::destroy(JAWT_DrawingSurface* surface) {
    if (!surface)
        return;
    auto* own = reinterpret_cast<NativeWindowSurface*>(surface);
    unlock(surface);
    surface->env->DeleteGlobalRef(surface->target);
    delete own;
}

} // namespace plenfox::jawt
