// Cost of the JNI environment on the paths the bridge uses most: a callback
// into a C++ handler with its arguments made and dropped, and text crossing
// in modified UTF-8.
#include "browser/jni/ClassBuilder.h"
#include "browser/jni/JavaVirtualMachine.h"

#include <benchmark/benchmark.h>

namespace {

using namespace plenfox::jni;

class Subject : public JavaObject {
public:
    static constexpr std::string_view JavaName = "bench/Subject";
};

class Handler : public virtual JavaObject {
public:
    static constexpr std::string_view JavaName = "bench/Handler";
    bool onEvent(std::shared_ptr<Subject> subject, QString text, std::int64_t size) {
        return subject && !text.isEmpty() && size >= 0;
    }
};

struct Attached {
    Attached() {
        ClassBuilder<Subject>::forClass(vm.getClasses(), "bench/Subject").constructor<>();
        ClassBuilder<Handler>::forClass(vm.getClasses(), "bench/Handler")
            .method("onEvent", &Handler::onEvent);
        void* raw = nullptr;
        vm.getJavaVm()->AttachCurrentThread(&raw, nullptr);
        env = static_cast<JNIEnv*>(raw);
    }
    ~Attached() { vm.detachCurrentThread(); }
    JavaVirtualMachine vm;
    JNIEnv* env = nullptr;
};

void callbackWithArguments(benchmark::State& state) {
    Attached attached;
    JNIEnv* env = attached.env;
    jobject handler =
        env->NewGlobalRef(attached.vm.currentThread()->newLocal(std::make_shared<Handler>()));
    jclass subjectClass = env->FindClass("bench/Subject");
    jmethodID constructor = env->GetMethodID(subjectClass, "<init>", "()V");
    for (auto _ : state) {
        // As a bridge callback does: look the method up, make the arguments,
        // call, drop what it made.
        env->PushLocalFrame(8);
        jclass handlerClass = env->GetObjectClass(handler);
        jmethodID onEvent =
            env->GetMethodID(handlerClass, "onEvent", "(Lbench/Subject;Ljava/lang/String;J)Z");
        const jvalue args[] = {{.l = env->NewObject(subjectClass, constructor)},
                               {.l = env->NewStringUTF("event text")},
                               {.j = 42}};
        benchmark::DoNotOptimize(env->CallBooleanMethodA(handler, onEvent, args));
        env->PopLocalFrame(nullptr);
    }
    env->DeleteGlobalRef(handler);
}
BENCHMARK(callbackWithArguments);

void textRoundTrip(benchmark::State& state) {
    Attached attached;
    JNIEnv* env = attached.env;
    const std::string text(static_cast<std::size_t>(state.range(0)), 'x');
    for (auto _ : state) {
        jstring made = env->NewStringUTF(text.c_str());
        const char* chars = env->GetStringUTFChars(made, nullptr);
        benchmark::DoNotOptimize(chars);
        env->ReleaseStringUTFChars(made, chars);
        env->DeleteLocalRef(made);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(textRoundTrip)->Arg(64)->Arg(4096);

} // namespace

BENCHMARK_MAIN();
