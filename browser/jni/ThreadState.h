#pragma once

#include "browser/jni/JavaObject.h"

#include <jni.h>

#include <QString>

#include <atomic>
#include <exception>
#include <memory>
#include <thread>
#include <unordered_set>
#include <vector>

namespace plenfox::jni {

class JavaThrowable;
class JavaVirtualMachine;

// One reference handed to native code; a jobject points at one of these.
struct Reference {
    std::shared_ptr<JavaObject> object;
    jobjectRefType type = JNILocalRefType;
};

// What the environment keeps per thread: the JNIEnv native code receives, the
// frames of local references, and the pending exception. A thread's state
// outlives its detachment, so an interface pointer kept by mistake never
// points at freed memory; using it on another thread, or after detaching,
// runs nothing.
class ThreadState {
public:
    ThreadState(JavaVirtualMachine& vm, const JNINativeInterface_* functions);
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;
    ~ThreadState();

    static ThreadState& of(JNIEnv* env);
    JNIEnv* getEnv() { return &handle.env; }
    JavaVirtualMachine& getVm() const { return vm; }

    // True on the owning thread while it is attached.
    bool isUsable() const;
    void attach();
    // Releases every local reference and the pending exception.
    void detach();

    // Local references: created in the innermost frame, released when that
    // frame ends. Unknown references resolve to null and are logged.
    jobject newLocal(std::shared_ptr<JavaObject> object);
    std::shared_ptr<JavaObject> resolve(jobject reference);
    void deleteLocal(jobject reference);
    bool isLocal(jobject reference) const;
    void pushFrame();
    void popFrame();
    std::size_t localCount() const { return live.size(); }
    std::size_t frameDepth() const { return frames.size(); }

    // Pending exception.
    void raise(std::shared_ptr<JavaThrowable> throwable);
    void raise(const QString& className, const QString& message);
    // A C++ exception escaping a handler: becomes the pending exception and
    // is logged (and counted) through the application log.
    void raiseFromHandler(std::exception_ptr error, const std::string& methodName);
    std::shared_ptr<JavaThrowable> getPending() const { return pending; }
    void clearPending() { pending.reset(); }

    // References held outside any frame (native code on an attached thread
    // that never deletes them) are reported once when they reach this many.
    static constexpr std::size_t LeakWarningThreshold = 10000;

    // Native calls made by C++ code on this thread (see NativeCall).
    int nativeDepth = 0;
    bool explicitlyAttached = false;

private:
    struct Handle {
        JNIEnv env;
        ThreadState* owner;
    };
    Handle handle;
    JavaVirtualMachine& vm;
    std::thread::id owner;
    std::atomic<bool> attached{false};
    std::vector<std::vector<std::unique_ptr<Reference>>> frames;
    std::unordered_set<const void*> live;
    std::shared_ptr<JavaThrowable> pending;
    bool leakReported = false;
};

} // namespace plenfox::jni
