#include "FakeToolkit.h"

#include <jawt.h>

namespace {

std::uintptr_t platformInfo[2] = {FakeToolkit::Window, 0};
JAWT_DrawingSurfaceInfo info{};
JAWT_DrawingSurface surface{};

jint JNICALL lock(JAWT_DrawingSurface*) {
    ++FakeToolkit::locks;
    return FakeToolkit::failLock ? JAWT_LOCK_ERROR : 0;
}

void JNICALL unlock(JAWT_DrawingSurface*) {
    ++FakeToolkit::unlocks;
}

JAWT_DrawingSurfaceInfo* JNICALL getInfo(JAWT_DrawingSurface*) {
    info.platformInfo = platformInfo;
    return &info;
}

void JNICALL freeInfo(JAWT_DrawingSurfaceInfo*) {
    ++FakeToolkit::infosFreed;
}

JAWT_DrawingSurface* JNICALL getSurface(JNIEnv*, jobject target) {
    if (!target)
        return nullptr;
    surface.Lock = lock;
    surface.Unlock = unlock;
    surface.GetDrawingSurfaceInfo = getInfo;
    surface.FreeDrawingSurfaceInfo = freeInfo;
    return &surface;
}

void JNICALL freeSurface(JAWT_DrawingSurface*) {
    ++FakeToolkit::surfacesFreed;
}

} // namespace

extern "C" JNIEXPORT jboolean JNICALL JAWT_GetAWT(JNIEnv*, JAWT* awt) {
    if (awt->version != JAWT_VERSION_1_4)
        return JNI_FALSE;
    awt->GetDrawingSurface = getSurface;
    awt->FreeDrawingSurface = freeSurface;
    return JNI_TRUE;
}
