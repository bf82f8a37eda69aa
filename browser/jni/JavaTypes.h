#pragma once

#include "browser/jni/JavaObject.h"
#include "browser/jni/JavaString.h"
#include "browser/jni/JavaValue.h"
#include "browser/jni/ThreadState.h"

#include <jni.h>

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <type_traits>

namespace plenfox::jni {

// How a C++ type crosses the JNI boundary: its type signature, the raw JNI
// type, and the conversions both ways. Objects cross as references in the
// current frame of the calling thread.
template <class T, class Enable = void> struct JavaType;

inline jboolean rawOf(jvalue value, jboolean*) {
    return value.z;
}
inline jint rawOf(jvalue value, jint*) {
    return value.i;
}
inline jlong rawOf(jvalue value, jlong*) {
    return value.j;
}
inline jobject rawOf(jvalue value, jobject*) {
    return value.l;
}

template <> struct JavaType<void> {
    using Raw = void;
    static std::string signature() { return "V"; }
};

template <> struct JavaType<bool> {
    using Raw = jboolean;
    static std::string signature() { return "Z"; }
    static Raw toRaw(ThreadState&, bool value) { return value ? JNI_TRUE : JNI_FALSE; }
    static bool fromRaw(ThreadState&, Raw raw) { return raw != JNI_FALSE; }
    static JavaValue toValue(bool value) {
        JavaValue result;
        result.primitive.z = value ? JNI_TRUE : JNI_FALSE;
        return result;
    }
};

template <> struct JavaType<std::int32_t> {
    using Raw = jint;
    static std::string signature() { return "I"; }
    static Raw toRaw(ThreadState&, std::int32_t value) { return value; }
    static std::int32_t fromRaw(ThreadState&, Raw raw) { return raw; }
    static JavaValue toValue(std::int32_t value) {
        JavaValue result;
        result.primitive.i = value;
        return result;
    }
};

// 64-bit integers, whichever of long and long long the platform calls them.
template <class T>
struct JavaType<T,
                std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T> && sizeof(T) == 8>> {
    using Raw = jlong;
    static std::string signature() { return "J"; }
    static Raw toRaw(ThreadState&, T value) { return static_cast<jlong>(value); }
    static T fromRaw(ThreadState&, Raw raw) { return static_cast<T>(raw); }
    static JavaValue toValue(T value) {
        JavaValue result;
        result.primitive.j = static_cast<jlong>(value);
        return result;
    }
};

// Text: a null QString is a null reference.
template <> struct JavaType<QString> {
    using Raw = jobject;
    static std::string signature() { return "Ljava/lang/String;"; }
    static Raw toRaw(ThreadState& thread, const QString& value) {
        return value.isNull() ? nullptr : thread.newLocal(std::make_shared<JavaString>(value));
    }
    static QString fromRaw(ThreadState& thread, Raw raw) {
        auto text = std::dynamic_pointer_cast<JavaString>(thread.resolve(raw));
        return text ? text->getText() : QString();
    }
    static JavaValue toValue(const QString& value) {
        JavaValue result;
        if (!value.isNull())
            result.object = std::make_shared<JavaString>(value);
        return result;
    }
};

// Objects of classes that name their Java class in `JavaName`. An object of
// another class than expected arrives as null.
template <class T> struct JavaType<std::shared_ptr<T>, std::void_t<decltype(T::JavaName)>> {
    using Raw = jobject;
    static std::string signature() { return "L" + std::string(T::JavaName) + ";"; }
    static Raw toRaw(ThreadState& thread, const std::shared_ptr<T>& value) {
        return thread.newLocal(
            std::const_pointer_cast<JavaObject>(std::static_pointer_cast<const JavaObject>(value)));
    }
    static std::shared_ptr<T> fromRaw(ThreadState& thread, Raw raw) {
        return std::dynamic_pointer_cast<T>(thread.resolve(raw));
    }
    static JavaValue toValue(const std::shared_ptr<T>& value) {
        JavaValue result;
        result.object =
            std::const_pointer_cast<JavaObject>(std::static_pointer_cast<const JavaObject>(value));
        return result;
    }
};

template <class T> using Plain = std::remove_cvref_t<T>;

template <class T> auto fromJvalue(ThreadState& thread, jvalue value) {
    using Type = JavaType<Plain<T>>;
    return Type::fromRaw(thread, rawOf(value, static_cast<typename Type::Raw*>(nullptr)));
}

template <class R, class... A> std::string methodSignature() {
    return "(" + (std::string() + ... + JavaType<Plain<A>>::signature()) + ")" +
           JavaType<Plain<R>>::signature();
}

} // namespace plenfox::jni
