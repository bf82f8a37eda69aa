#pragma once

#include "browser/boundary/BoundaryNames.h"

#include <jni.h>

namespace viewlink {

// One client method a wrapper forwards to: the target object (a global
// reference owned by the wrapper) and the method, by name and type signature.
// The method identifier is looked up on every call, so a class reloaded or
// replaced by the client is always called correctly. Each call answers the
// default when the method is missing, and clears any exception it leaves;
// threw (when given) tells whether the client raised one, so that the
// caller can leave its out-parameters alone.
struct JavaMethodRef {
    JavaVM* vm;
    jobject target;
    plenfox::boundary::Method method;

    // The identifier on the target's class, or null (no exception pending).
    jmethodID lookup(JNIEnv* env) const;

    // True only when the method returned the byte 1.
    bool callBoolean(JNIEnv* env, const jvalue* args = nullptr, bool* threw = nullptr) const;
    // A local reference, or null.
    jobject callObject(JNIEnv* env, const jvalue* args = nullptr, bool* threw = nullptr) const;
    void callVoid(JNIEnv* env, const jvalue* args = nullptr, bool* threw = nullptr) const;
    jlong callLong(JNIEnv* env, const jvalue* args, jlong fallback) const;

private:
    static bool cleared(JNIEnv* env, bool* threw);
};

} // namespace viewlink
