#pragma once

#include <jni.h>

namespace viewlink {

// The frame of one call from engine code into the client. It finds the calling
// thread's interface (none when the thread is not attached) and opens a local
// reference frame. Engine threads stay attached for the engine's whole life
// and never return to the runtime, so without the frame every local reference
// a callback makes would stay alive until shutdown. Leaving the scope clears a
// pending client exception and frees the frame's local references.
class JavaCallScope {
public:
    explicit JavaCallScope(JavaVM* vm, jint capacity = 32);
    ~JavaCallScope();
    JavaCallScope(const JavaCallScope&) = delete;
    JavaCallScope& operator=(const JavaCallScope&) = delete;

    // The interface, or null when the thread is detached or the frame failed.
    JNIEnv* env() const { return env_; }
    // Whether the thread is attached at all (a frame may still have failed).
    bool attached() const { return attached_; }

private:
    JNIEnv* env_ = nullptr;
    bool attached_ = false;
};

} // namespace viewlink
