#pragma once

#include "browser/jni/JavaTypes.h"
#include "browser/jni/JavaVirtualMachine.h"
#include "browser/jni/UnsatisfiedLinkError.h"

#include <jni.h>

#include <QString>

#include <string>
#include <type_traits>

namespace plenfox::jni {

// One call from C++ code into a native method: attaches the calling thread
// for the call when it is not attached, opens the frame whose local
// references are released when the call returns, and absorbs an exception
// that native code leaves pending (it is logged).
class NativeCall {
public:
    NativeCall();
    NativeCall(const NativeCall&) = delete;
    NativeCall& operator=(const NativeCall&) = delete;
    ~NativeCall();

    ThreadState& thread() { return *state; }
    JNIEnv* env() { return state->getEnv(); }
    void finish(const std::string& symbol);

    // Calls the export `symbol` as an instance method of `self`.
    template <class R, class... A>
    static R invoke(const std::string& symbol, const JavaObject& self, const A&... args) {
        void* function = lookUp(symbol);
        NativeCall call;
        jobject selfReference =
            call.thread().newLocal(std::const_pointer_cast<JavaObject>(self.shared_from_this()));
        return call.run<R, jobject, A...>(symbol, function, selfReference, args...);
    }

    // Calls the export `symbol` as a static method of the named class.
    template <class R, class... A>
    static R invokeStatic(const std::string& symbol, const std::string& className,
                          const A&... args) {
        void* function = lookUp(symbol);
        NativeCall call;
        auto javaClass = call.thread().getVm().getClasses().find(className);
        jobject classReference = call.thread().newLocal(javaClass);
        return call.run<R, jobject, A...>(symbol, function, classReference, args...);
    }

private:
    // Throws UnsatisfiedLinkError when no loaded library exports the symbol
    // or there is no environment.
    static void* lookUp(const std::string& symbol);

    template <class R, class Receiver, class... A>
    R run(const std::string& symbol, void* function, Receiver receiver, const A&... args) {
        using RawResult = typename JavaType<Plain<R>>::Raw;
        using Function =
            RawResult(JNICALL*)(JNIEnv*, Receiver, typename JavaType<Plain<A>>::Raw...);
        auto native = reinterpret_cast<Function>(function);
        if constexpr (std::is_void_v<R>) {
            native(env(), receiver, JavaType<Plain<A>>::toRaw(thread(), args)...);
            finish(symbol);
        } else {
            RawResult raw = native(env(), receiver, JavaType<Plain<A>>::toRaw(thread(), args)...);
            finish(symbol);
            // Converted before the frame, and the references in it, go.
            return JavaType<Plain<R>>::fromRaw(thread(), raw);
        }
    }

    ThreadState* state;
};

void logUnsatisfied(const UnsatisfiedLinkError& error);

// A native method call guarded the way the handle classes guard theirs: a
// method no loaded library provides is logged and answers the default.
template <class R, class... A>
R guardedNative(const std::string& symbol, const JavaObject& self, const A&... args) {
    try {
        return NativeCall::invoke<R>(symbol, self, args...);
    } catch (const UnsatisfiedLinkError& error) {
        logUnsatisfied(error);
        if constexpr (!std::is_void_v<R>)
            return R();
    }
}

template <class R, class... A>
R guardedStaticNative(const std::string& symbol, const std::string& className, const A&... args) {
    try {
        return NativeCall::invokeStatic<R>(symbol, className, args...);
    } catch (const UnsatisfiedLinkError& error) {
        logUnsatisfied(error);
        if constexpr (!std::is_void_v<R>)
            return R();
    }
}

} // namespace plenfox::jni
