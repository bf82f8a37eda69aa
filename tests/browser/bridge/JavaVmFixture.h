#pragma once

#include <jni.h>

#include <string>

// One Java VM for the whole test program (a process can create only one),
// started with -Xcheck:jni and the compiled test classes on its class path.
// Everything the VM prints is captured, so a test can assert that the
// interface checker reported nothing.
class JavaVmFixture {
public:
    static JavaVM* vm();
    // The interface of the calling thread, which must be attached.
    static JNIEnv* env();
    static std::string output();
    static void clearOutput();

    // A new instance of a test class of the wrapper package, by simple name.
    static jobject create(const char* simpleName);
    // CallRecorder.count(call) and CallRecorder.reset().
    static int count(const char* call);
    static void resetCalls();
    // The handle a client object holds.
    static jlong handleOf(jobject object, const char* fieldName);
};
