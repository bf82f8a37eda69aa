#pragma once

#include <jni.h>

#include <cstdint>

namespace viewlink {

// Finds the operating-system window behind a client canvas through the
// window toolkit's native interface (JAWT_GetAWT, version 1.4). The toolkit
// library is the one the client loaded before the bridge; when none is loaded
// or any step fails the answer is 0.
class CanvasWindow {
public:
    static std::uintptr_t handleOf(JNIEnv* env, jobject canvas);
};

} // namespace viewlink
