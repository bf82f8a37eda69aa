#include "browser/bridge/JniSupport.h"

// The library keeps no state: nothing is cached at load or freed at unload.
extern "C" JNIEXPORT jint JNICALL JNI_OnLoad(JavaVM*, void*) {
    return viewlink::JniVersion;
}

extern "C" JNIEXPORT void JNICALL JNI_OnUnload(JavaVM*, void*) {}
