// The native-window library the browser bridge asks for the window of a client
// component, in the form jawt.h declares.

#include "NativeWindowSurface.h"

namespace {

JAWT_DrawingSurface* JNICALL getDrawingSurface(JNIEnv* env, jobject target) {
    return plenfox::jawt::NativeWindowSurface::create(env, target);
}

void JNICALL freeDrawingSurface(JAWT_DrawingSurface* surface) {
    plenfox::jawt::NativeWindowSurface::destroy(surface);
}

// Locking the whole toolkit is not needed: each surface locks its component.
void JNICALL lockToolkit(JNIEnv*) {}
void JNICALL unlockToolkit(JNIEnv*) {}

// Finding a component from a native window is not offered.
jobject JNICALL getComponent(JNIEnv*, void*) {
    return nullptr;
}

} // namespace

extern "C" JNIEXPORT jboolean JNICALL JAWT_GetAWT(JNIEnv* env, JAWT* awt) {
    if (!env || !awt)
        return JNI_FALSE;
    // Versions up to 1.7 have the same functions; later ones add embedded
    // frames, which this library does not offer.
    if (awt->version != JAWT_VERSION_1_3 && awt->version != JAWT_VERSION_1_4 &&
        awt->version != JAWT_VERSION_1_7)
        return JNI_FALSE;
    awt->GetDrawingSurface = &getDrawingSurface;
    awt->FreeDrawingSurface = &freeDrawingSurface;
    if (awt->version >= JAWT_VERSION_1_4) {
        awt->Lock = &lockToolkit;
        awt->Unlock = &unlockToolkit;
        awt->GetComponent = &getComponent;
    }
    return JNI_TRUE;
}
