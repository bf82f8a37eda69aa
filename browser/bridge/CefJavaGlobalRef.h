#pragma once

#include <jni.h>

namespace viewlink {

// Keeps a client-side object alive beyond one call through a global
// reference. The destructor attaches nothing: on a thread without an
// interface the reference cannot be deleted and is left to the runtime.
class CefJavaGlobalRef {
public:
    CefJavaGlobalRef(JNIEnv* env, jobject object);
    virtual ~CefJavaGlobalRef();
    CefJavaGlobalRef(const CefJavaGlobalRef&) = delete;
    CefJavaGlobalRef& operator=(const CefJavaGlobalRef&) = delete;

    JavaVM* vm() const { return vm_; }
    jobject object() const { return object_; }

private:
    JavaVM* vm_ = nullptr;
    jobject object_ = nullptr;
};

} // namespace viewlink
