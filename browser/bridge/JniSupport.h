#pragma once

#include <jni.h>

#include <cstdint>

namespace viewlink {

// The interface version the bridge asks for and answers.
constexpr jint JniVersion = JNI_VERSION_1_6;

// Clears a pending client-side exception; answers whether there was one.
// Every interface call that may raise is followed by this check, so that no
// exception outlives the step that caused it.
inline bool clearPendingException(JNIEnv* env) {
    if (!env->ExceptionCheck())
        return false;
    env->ExceptionClear();
    return true;
}

// Deletes a local reference when it goes out of scope. Exports and callbacks
// that look up classes keep their local references few this way.
template <class T = jobject> class LocalRef {
public:
    LocalRef(JNIEnv* env, T ref) : env_(env), ref_(ref) {}
    ~LocalRef() {
        if (ref_)
            env_->DeleteLocalRef(ref_);
    }
    LocalRef(const LocalRef&) = delete;
    LocalRef& operator=(const LocalRef&) = delete;

    T get() const { return ref_; }
    explicit operator bool() const { return ref_ != nullptr; }
    // Hands the reference to the caller, who then owns it.
    T release() {
        T ref = ref_;
        ref_ = nullptr;
        return ref;
    }

private:
    JNIEnv* env_;
    T ref_;
};

// A native address as stored in a 64-bit handle field (sign-extended).
template <class T> jlong toHandle(T* object) {
    return static_cast<jlong>(reinterpret_cast<std::intptr_t>(object));
}

template <class T> T* fromHandle(jlong handle) {
    return reinterpret_cast<T*>(static_cast<std::intptr_t>(handle));
}

// True only for a Java boolean whose byte is exactly 1.
inline bool isTrue(jboolean value) {
    return value == 1;
}

} // namespace viewlink
