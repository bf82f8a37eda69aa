#pragma once

#include "browser/jni/ClassRegistry.h"
#include "browser/jni/ThreadState.h"

#include <jni.h>

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

namespace plenfox::jni {

// The client's JNI environment: the JavaVM and JNIEnv tables that native
// libraries written against jni.h receive, the class registry, global
// references, thread attachment and the native libraries loaded into it.
//
// A process has one, as it has one Java VM: native code reaches it through
// the JavaVM and JNIEnv pointers it is handed, C++ objects through
// getInstance(). Slots of the tables that the client does not implement abort
// the process naming the slot.
class JavaVirtualMachine {
public:
    JavaVirtualMachine();
    JavaVirtualMachine(const JavaVirtualMachine&) = delete;
    JavaVirtualMachine& operator=(const JavaVirtualMachine&) = delete;
    ~JavaVirtualMachine();

    static JavaVirtualMachine* getInstance();

    JavaVM* getJavaVm() { return &vmHandle.vm; }
    ClassRegistry& getClasses() { return classes; }
    const JNINativeInterface_* getFunctions() const { return &functions; }

    // Thread attachment. GetEnv answers "detached" on a thread that never
    // attached; native calls made by C++ code attach the calling thread for
    // their duration (enterNative/leaveNative).
    ThreadState* currentThread();
    ThreadState& attachCurrentThread();
    jint detachCurrentThread();
    ThreadState& enterNative();
    void leaveNative(ThreadState& thread);

    // Global references.
    jobject newGlobal(std::shared_ptr<JavaObject> object);
    void deleteGlobal(jobject reference);
    bool resolveGlobal(jobject reference, std::shared_ptr<JavaObject>& object);
    std::size_t globalCount();

    // Loads a native library (kept loaded until the process ends) and runs its
    // JNI_OnLoad. Throws UnsatisfiedLinkError naming the file and the
    // loader's reason.
    void loadLibrary(const std::filesystem::path& file);
    // The address of an exported native method, searched in the order the
    // libraries were loaded; null when none exports it.
    void* findNative(const std::string& symbol);

    // Text buffers handed to native code until it releases them.
    const void* lendBuffer(std::unique_ptr<char[]> buffer);
    bool returnBuffer(const void* buffer);

private:
    struct VmHandle {
        JavaVM vm;
        JavaVirtualMachine* owner;
    };

    static JavaVirtualMachine* instance;

    VmHandle vmHandle;
    JNIInvokeInterface_ invokeFunctions{};
    JNINativeInterface_ functions{};
    ClassRegistry classes;

    std::mutex threadsLock;
    std::unordered_map<std::thread::id, std::unique_ptr<ThreadState>> threads;

    std::mutex globalsLock;
    std::unordered_map<const void*, std::unique_ptr<Reference>> globals;

    std::mutex librariesLock;
    std::vector<void*> libraries;
    std::unordered_map<std::string, void*> natives;

    std::mutex buffersLock;
    std::unordered_map<const void*, std::unique_ptr<char[]>> buffers;

    friend JavaVirtualMachine& vmOf(JavaVM* vm);
};

JavaVirtualMachine& vmOf(JavaVM* vm);

} // namespace plenfox::jni
