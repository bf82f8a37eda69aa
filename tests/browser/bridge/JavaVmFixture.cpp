#include "JavaVmFixture.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

std::mutex outputLock;
std::string captured;

jint JNICALL captureOutput(FILE*, const char* format, va_list args) {
    char line[4096];
    const int length = std::vsnprintf(line, sizeof line, format, args);
    std::lock_guard lock(outputLock);
    captured += line;
    return length;
}

struct Vm {
    JavaVM* vm = nullptr;
    JNIEnv* env = nullptr;

    Vm() {
        const char* classes = std::getenv("PLENFOX_JVM_CLASSES");
        if (!classes)
            throw std::runtime_error("PLENFOX_JVM_CLASSES names no class folder");
        std::string classPath = std::string("-Djava.class.path=") + classes;
        std::vector<JavaVMOption> options(3);
        options[0].optionString = classPath.data();
        options[1].optionString = const_cast<char*>("-Xcheck:jni");
        options[2].optionString = const_cast<char*>("vfprintf");
        options[2].extraInfo = reinterpret_cast<void*>(&captureOutput);
        JavaVMInitArgs args{};
        args.version = JNI_VERSION_1_6;
        args.nOptions = static_cast<jint>(options.size());
        args.options = options.data();
        args.ignoreUnrecognized = JNI_FALSE;
        if (JNI_CreateJavaVM(&vm, reinterpret_cast<void**>(&env), &args) != JNI_OK)
            throw std::runtime_error("the Java VM did not start");
    }
};

Vm& instance() {
    static Vm vm;
    return vm;
}

// Test code checks for exceptions after every call that may raise, as the
// interface checker demands of any native code.
void checked(JNIEnv* env) {
    if (env->ExceptionCheck()) {
        env->ExceptionDescribe();
        env->ExceptionClear();
        throw std::runtime_error("a Java exception in test code");
    }
}

jclass recorder(JNIEnv* env) {
    return env->FindClass("com/plenfox/lib/wrapper/cef/CallRecorder");
}

} // namespace

JavaVM* JavaVmFixture::vm() {
    return instance().vm;
}

JNIEnv* JavaVmFixture::env() {
    JNIEnv* env = nullptr;
    vm()->GetEnv(reinterpret_cast<void**>(&env), JNI_VERSION_1_6);
    return env;
}

std::string JavaVmFixture::output() {
    std::lock_guard lock(outputLock);
    return captured;
}

void JavaVmFixture::clearOutput() {
    std::lock_guard lock(outputLock);
    captured.clear();
}

jobject JavaVmFixture::create(const char* simpleName) {
    JNIEnv* e = env();
    const std::string name = std::string("com/plenfox/lib/wrapper/cef/") + simpleName;
    jclass cls = e->FindClass(name.c_str());
    if (!cls)
        throw std::runtime_error("no test class " + name);
    jobject object = e->NewObject(cls, e->GetMethodID(cls, "<init>", "()V"));
    checked(e);
    e->DeleteLocalRef(cls);
    return object;
}

int JavaVmFixture::count(const char* call) {
    JNIEnv* e = env();
    jclass cls = recorder(e);
    jstring text = e->NewStringUTF(call);
    const jint n = e->CallStaticIntMethod(
        cls, e->GetStaticMethodID(cls, "count", "(Ljava/lang/String;)I"), text);
    checked(e);
    e->DeleteLocalRef(text);
    e->DeleteLocalRef(cls);
    return n;
}

void JavaVmFixture::resetCalls() {
    JNIEnv* e = env();
    jclass cls = recorder(e);
    e->CallStaticVoidMethod(cls, e->GetStaticMethodID(cls, "reset", "()V"));
    checked(e);
    e->DeleteLocalRef(cls);
}

jlong JavaVmFixture::handleOf(jobject object, const char* fieldName) {
    JNIEnv* e = env();
    jclass cls = e->GetObjectClass(object);
    const jlong handle = e->GetLongField(object, e->GetFieldID(cls, fieldName, "J"));
    e->DeleteLocalRef(cls);
    return handle;
}
