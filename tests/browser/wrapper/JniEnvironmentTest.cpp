#include "browser/jni/ClassBuilder.h"
#include "browser/jni/DirectByteBuffer.h"
#include "browser/jni/JavaThrowable.h"
#include "browser/jni/JavaVirtualMachine.h"
#include "browser/jni/NativeCall.h"
#include "browser/jni/ReadOnlyBufferError.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace plenfox::jni {
namespace {

// A plain object that counts its live instances, so a test sees whether the
// environment let go of it.
class Counted : public JavaObject {
public:
    static constexpr std::string_view JavaName = "test/Counted";
    static inline std::atomic<int> alive{0};

    Counted() { ++alive; }
    explicit Counted(QString label) : label(std::move(label)) { ++alive; }
    ~Counted() override { --alive; }

    QString getLabel() const { return label; }

    QString label;
    std::atomic<std::int64_t> handle{0};
};

class Listener : public virtual JavaObject {
public:
    static constexpr std::string_view JavaName = "test/Listener";
    virtual bool onEvent(std::shared_ptr<Counted> subject, QString text, std::int64_t size) = 0;
};

class Namer : public virtual JavaObject {
public:
    static constexpr std::string_view JavaName = "test/Namer";
    virtual QString name(QString input) = 0;
};

// One object implementing two interfaces, as client handlers often do.
class Recorder final : public Listener, public Namer {
public:
    bool onEvent(std::shared_ptr<Counted> subject, QString text, std::int64_t size) override {
        ++events;
        lastText = text;
        lastSize = size;
        if (subject)
            lastLabel = subject->getLabel();
        if (throwNext)
            throw util::IllegalStateError(QStringLiteral("handler failed"));
        if (work)
            work();
        return true;
    }
    QString name(QString input) override { return QStringLiteral("<") + input + QLatin1Char('>'); }

    int events = 0;
    QString lastText;
    QString lastLabel;
    std::int64_t lastSize = 0;
    bool throwNext = false;
    std::function<void()> work;
};

std::string utf8(JNIEnv* env, jstring text) {
    const char* chars = env->GetStringUTFChars(text, nullptr);
    std::string copy(chars);
    env->ReleaseStringUTFChars(text, chars);
    return copy;
}

long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

class JniEnvironmentTest : public ::testing::Test {
protected:
    JniEnvironmentTest() {
        ClassBuilder<Counted>::forClass(vm.getClasses(), "test/Counted")
            .constructor<>()
            .constructor<QString>()
            .method("getLabel", &Counted::getLabel)
            .field("label", &Counted::label)
            .field("handle", &Counted::handle);
        ClassBuilder<Listener>::forInterface(vm.getClasses(), "test/Listener")
            .method("onEvent", &Listener::onEvent);
        ClassBuilder<Namer>::forInterface(vm.getClasses(), "test/Namer")
            .method("name", &Namer::name);
    }

    // The calling thread's interface pointer, as an engine thread gets it.
    JNIEnv* attach() {
        void* env = nullptr;
        EXPECT_EQ(vm.getJavaVm()->AttachCurrentThread(&env, nullptr), JNI_OK);
        return static_cast<JNIEnv*>(env);
    }

    test::TestEnvironment environment;
    JavaVirtualMachine vm;
};

TEST_F(JniEnvironmentTest, ModifiedUtf8RoundTripKeepsSupplementaryCharactersAndNul) {
    JNIEnv* env = attach();
    // U+1F600 needs a surrogate pair; each half is written as three bytes.
    const QString text = QStringLiteral("a\u00e9") + QString::fromUcs4(U"\U0001F600") +
                         QChar(u'\0') + QStringLiteral("z");
    const std::string encoded("a\xC3\xA9\xED\xA0\xBD\xED\xB8\x80\xC0\x80z");

    jstring made = env->NewStringUTF(encoded.c_str());
    EXPECT_EQ(env->GetStringLength(made), text.size());
    EXPECT_EQ(env->GetStringUTFLength(made), static_cast<jsize>(encoded.size()));
    EXPECT_EQ(utf8(env, made), encoded);
    EXPECT_EQ(JavaType<QString>::fromRaw(*vm.currentThread(), made), text);

    // Standard UTF-8 from native code reads as the same text.
    jstring standard = env->NewStringUTF("a\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(JavaType<QString>::fromRaw(*vm.currentThread(), standard),
              QStringLiteral("a\u00e9") + QString::fromUcs4(U"\U0001F600"));
    // Truncated input becomes a replacement character, not a read past the end.
    jstring truncated = env->NewStringUTF("ab\xE2\x82");
    EXPECT_EQ(JavaType<QString>::fromRaw(*vm.currentThread(), truncated),
              QStringLiteral("ab\uFFFD"));
    vm.detachCurrentThread();
}

TEST_F(JniEnvironmentTest, ThreadsAttachAndDetach) {
    std::thread([this] {
        JavaVM* javaVm = vm.getJavaVm();
        void* env = reinterpret_cast<void*>(1);
        EXPECT_EQ(javaVm->GetEnv(&env, JNI_VERSION_1_6), JNI_EDETACHED);
        EXPECT_EQ(env, nullptr);
        void* attached = nullptr;
        ASSERT_EQ(javaVm->AttachCurrentThread(&attached, nullptr), JNI_OK);
        EXPECT_EQ(javaVm->GetEnv(&env, JNI_VERSION_1_6), JNI_OK);
        EXPECT_EQ(env, attached);
        EXPECT_EQ(javaVm->GetEnv(&env, 0x7fff0000), JNI_EVERSION);
        JavaVM* fromEnv = nullptr;
        static_cast<JNIEnv*>(attached)->GetJavaVM(&fromEnv);
        EXPECT_EQ(fromEnv, javaVm);
        EXPECT_EQ(javaVm->DetachCurrentThread(), JNI_OK);
        EXPECT_EQ(javaVm->GetEnv(&env, JNI_VERSION_1_6), JNI_EDETACHED);
    }).join();
}

TEST_F(JniEnvironmentTest, ClassesFieldsConstructorsAndMethodsByName) {
    JNIEnv* env = attach();
    EXPECT_EQ(env->FindClass("test/Nowhere"), nullptr);
    EXPECT_TRUE(env->ExceptionCheck());
    env->ExceptionClear();

    jclass countedClass = env->FindClass("test/Counted");
    ASSERT_NE(countedClass, nullptr);
    jmethodID constructor = env->GetMethodID(countedClass, "<init>", "(Ljava/lang/String;)V");
    ASSERT_NE(constructor, nullptr);
    jobject counted = env->NewObject(countedClass, constructor, env->NewStringUTF("first"));
    ASSERT_NE(counted, nullptr);
    EXPECT_TRUE(env->IsInstanceOf(counted, countedClass));
    EXPECT_FALSE(env->IsInstanceOf(counted, env->FindClass("java/lang/String")));

    jfieldID handle = env->GetFieldID(env->GetObjectClass(counted), "handle", "J");
    ASSERT_NE(handle, nullptr);
    env->SetLongField(counted, handle, -42);
    EXPECT_EQ(env->GetLongField(counted, handle), -42);
    EXPECT_EQ(env->GetFieldID(countedClass, "handle", "I"), nullptr);
    env->ExceptionClear();

    // A client object gets a class that has the methods of all its interfaces.
    auto recorder = std::make_shared<Recorder>();
    jobject handler = vm.currentThread()->newLocal(recorder);
    jclass handlerClass = env->GetObjectClass(handler);
    EXPECT_TRUE(env->IsInstanceOf(handler, env->FindClass("test/Listener")));
    EXPECT_TRUE(env->IsInstanceOf(handler, env->FindClass("test/Namer")));
    jmethodID onEvent =
        env->GetMethodID(handlerClass, "onEvent", "(Ltest/Counted;Ljava/lang/String;J)Z");
    jmethodID name =
        env->GetMethodID(handlerClass, "name", "(Ljava/lang/String;)Ljava/lang/String;");
    ASSERT_NE(onEvent, nullptr);
    ASSERT_NE(name, nullptr);
    // A wrong signature is not found.
    EXPECT_EQ(env->GetMethodID(handlerClass, "onEvent", "(Ltest/Counted;Ljava/lang/String;I)Z"),
              nullptr);
    env->ExceptionClear();

    const jvalue args[] = {{.l = counted}, {.l = env->NewStringUTF("text")}, {.j = 1LL << 40}};
    EXPECT_EQ(env->CallBooleanMethodA(handler, onEvent, args), JNI_TRUE);
    EXPECT_EQ(recorder->lastLabel, QStringLiteral("first"));
    EXPECT_EQ(recorder->lastText, QStringLiteral("text"));
    EXPECT_EQ(recorder->lastSize, 1LL << 40);
    // The variadic form converts its arguments by the method's signature.
    EXPECT_EQ(env->CallBooleanMethod(handler, onEvent, nullptr, nullptr, jlong(7)), JNI_TRUE);
    EXPECT_TRUE(recorder->lastText.isNull());
    EXPECT_EQ(recorder->lastSize, 7);
    auto named = static_cast<jstring>(env->CallObjectMethod(handler, name, env->NewStringUTF("x")));
    EXPECT_EQ(utf8(env, named), "<x>");
    vm.detachCurrentThread();
}

TEST_F(JniEnvironmentTest, HandlerExceptionBecomesPendingAndIsLoggedAndCounted) {
    JNIEnv* env = attach();
    auto recorder = std::make_shared<Recorder>();
    recorder->throwNext = true;
    jobject handler = vm.currentThread()->newLocal(recorder);
    jmethodID onEvent = env->GetMethodID(env->GetObjectClass(handler), "onEvent",
                                         "(Ltest/Counted;Ljava/lang/String;J)Z");
    const int countBefore = environment.app().getExceptionCount();
    const jvalue args[] = {{.l = nullptr}, {.l = nullptr}, {.j = 0}};
    EXPECT_EQ(env->CallBooleanMethodA(handler, onEvent, args), JNI_FALSE);
    EXPECT_EQ(recorder->events, 1);
    ASSERT_TRUE(env->ExceptionCheck());
    auto pending = std::dynamic_pointer_cast<JavaThrowable>(
        vm.currentThread()->resolve(env->ExceptionOccurred()));
    ASSERT_TRUE(pending);
    EXPECT_EQ(pending->getMessage(), QStringLiteral("handler failed"));
    env->ExceptionClear();
    EXPECT_FALSE(env->ExceptionCheck());
    EXPECT_EQ(environment.app().getExceptionCount(), countBefore + 1);
    EXPECT_TRUE(environment.logContains(
        QStringLiteral("Exception: [IllegalStateException: handler failed]")));
    EXPECT_TRUE(environment.logContains(QStringLiteral("[onEvent] raised an exception")));
    vm.detachCurrentThread();
}

TEST_F(JniEnvironmentTest, HandlerNeverRunsOnAThreadTheEnvironmentDoesNotKnow) {
    JNIEnv* env = attach();
    auto recorder = std::make_shared<Recorder>();
    jobject handler = vm.getJavaVm() ? vm.newGlobal(recorder) : nullptr;
    jmethodID onEvent = env->GetMethodID(env->GetObjectClass(handler), "onEvent",
                                         "(Ltest/Counted;Ljava/lang/String;J)Z");
    // An interface pointer carried to another thread runs nothing there.
    std::thread([&] {
        const jvalue args[] = {{.l = nullptr}, {.l = nullptr}, {.j = 0}};
        EXPECT_EQ(env->CallBooleanMethodA(handler, onEvent, args), JNI_FALSE);
        EXPECT_EQ(env->NewStringUTF("half-made"), nullptr);
    }).join();
    EXPECT_EQ(recorder->events, 0);
    // Nor does the pointer of a thread that detached.
    vm.detachCurrentThread();
    const jvalue args[] = {{.l = nullptr}, {.l = nullptr}, {.j = 0}};
    EXPECT_EQ(env->CallBooleanMethodA(handler, onEvent, args), JNI_FALSE);
    EXPECT_EQ(recorder->events, 0);
    env->DeleteGlobalRef(handler);
}

TEST_F(JniEnvironmentTest, ReferencesLiveUntilTheirFrameEndsOrTheyAreDeleted) {
    JNIEnv* env = attach();
    ThreadState& thread = *vm.currentThread();
    jclass countedClass = env->FindClass("test/Counted");
    jmethodID constructor = env->GetMethodID(countedClass, "<init>", "()V");
    const std::size_t before = thread.localCount();
    const int aliveBefore = Counted::alive;

    ASSERT_EQ(env->PushLocalFrame(4), JNI_OK);
    jobject kept = env->NewObject(countedClass, constructor);
    env->NewObject(countedClass, constructor);
    jobject global = env->NewGlobalRef(kept);
    jobject result = env->PopLocalFrame(kept);
    EXPECT_EQ(Counted::alive, aliveBefore + 1); // the other one went with the frame
    EXPECT_EQ(env->GetObjectRefType(result), JNILocalRefType);
    EXPECT_EQ(env->GetObjectRefType(global), JNIGlobalRefType);
    EXPECT_TRUE(env->IsSameObject(result, global));
    env->DeleteLocalRef(result);
    EXPECT_EQ(Counted::alive, aliveBefore + 1); // held by the global reference
    env->DeleteGlobalRef(global);
    EXPECT_EQ(Counted::alive, aliveBefore);
    EXPECT_EQ(thread.localCount(), before);

    // Native code that never deletes its references outside any frame is reported once.
    EXPECT_FALSE(
        environment.logContains(QStringLiteral("local references held outside any frame")));
    for (std::size_t i = 0; i <= ThreadState::LeakWarningThreshold; ++i)
        env->NewStringUTF("kept");
    EXPECT_EQ(environment.logLines().filter(QStringLiteral("held outside any frame")).size(), 1);
    vm.detachCurrentThread();
    env = attach();
    EXPECT_EQ(vm.currentThread()->localCount(), 0u); // detaching released them
    countedClass = env->FindClass("test/Counted");

    // A reference deleted twice, or one that never was, changes nothing.
    jobject once = env->NewObject(countedClass, constructor);
    ASSERT_NE(once, nullptr);
    EXPECT_EQ(Counted::alive, aliveBefore + 1);
    env->DeleteLocalRef(once);
    env->DeleteLocalRef(once);
    EXPECT_EQ(Counted::alive, aliveBefore);
    vm.detachCurrentThread();
}

TEST_F(JniEnvironmentTest, CallbackLoopKeepsMemoryFlat) {
    JNIEnv* env = attach();
    ThreadState& thread = *vm.currentThread();
    auto recorder = std::make_shared<Recorder>();
    // The handler creates references inside its callback frame, as a handler
    // that calls back into native code does; they must go with the frame.
    recorder->work = [this] {
        JNIEnv* inner = vm.currentThread()->getEnv();
        for (int i = 0; i < 4; ++i)
            inner->NewStringUTF("temporary");
    };
    jobject handler = env->NewGlobalRef(thread.newLocal(recorder));
    jclass countedClass = env->FindClass("test/Counted");
    jmethodID constructor = env->GetMethodID(countedClass, "<init>", "(Ljava/lang/String;)V");
    jmethodID onEvent = env->GetMethodID(env->GetObjectClass(handler), "onEvent",
                                         "(Ltest/Counted;Ljava/lang/String;J)Z");
    const std::size_t localsBefore = thread.localCount();
    const std::size_t globalsBefore = vm.globalCount();
    const int aliveBefore = Counted::alive;

    auto oneCallback = [&](int i) {
        // What a bridge callback does: make the arguments, call, drop them.
        jstring label = env->NewStringUTF("subject");
        jobject subject = env->NewObject(countedClass, constructor, label);
        jstring text = env->NewStringUTF("event");
        const jvalue args[] = {{.l = subject}, {.l = text}, {.j = i}};
        env->CallBooleanMethodA(handler, onEvent, args);
        env->DeleteLocalRef(text);
        env->DeleteLocalRef(subject);
        env->DeleteLocalRef(label);
    };
    for (int i = 0; i < 1000; ++i)
        oneCallback(i);
    const long residentBefore = residentKilobytes();
    for (int i = 0; i < 100000; ++i)
        oneCallback(i);
    const long growth = residentKilobytes() - residentBefore;

    EXPECT_EQ(recorder->events, 101000);
    EXPECT_EQ(thread.localCount(), localsBefore);
    EXPECT_EQ(vm.globalCount(), globalsBefore);
    EXPECT_EQ(Counted::alive, aliveBefore);
#ifndef __SANITIZE_ADDRESS__
    // 100,000 leaked objects with their references would take well over this.
    // (AddressSanitizer keeps freed memory in quarantine, so there only the
    // counts above tell.)
    EXPECT_LT(growth, 4 * 1024) << "resident memory grew by " << growth << " kB";
#else
    (void)growth;
#endif
    env->DeleteGlobalRef(handler);
    vm.detachCurrentThread();
}

TEST_F(JniEnvironmentTest, DirectBuffersAndTheirReadOnlyViews) {
    JNIEnv* env = attach();
    char bytes[8] = "payload";
    jobject buffer = env->NewDirectByteBuffer(bytes, sizeof bytes);
    EXPECT_EQ(env->GetDirectBufferAddress(buffer), bytes);
    EXPECT_EQ(env->GetDirectBufferCapacity(buffer), 8);
    EXPECT_EQ(env->GetDirectBufferCapacity(env->NewStringUTF("not a buffer")), -1);

    jmethodID asReadOnly = env->GetMethodID(env->GetObjectClass(buffer), "asReadOnlyBuffer",
                                            "()Ljava/nio/ByteBuffer;");
    ASSERT_NE(asReadOnly, nullptr);
    jobject view = env->CallObjectMethodA(buffer, asReadOnly, nullptr);
    EXPECT_EQ(env->GetDirectBufferAddress(view), bytes);
    EXPECT_EQ(env->GetDirectBufferCapacity(view), 8);
    auto readOnly = std::dynamic_pointer_cast<DirectByteBuffer>(vm.currentThread()->resolve(view));
    ASSERT_TRUE(readOnly);
    EXPECT_TRUE(readOnly->isReadOnly());
    EXPECT_EQ(std::memcmp(readOnly->bytes().data(), "payload", 7), 0);
    EXPECT_THROW(readOnly->writableBytes(), ReadOnlyBufferError);
    vm.detachCurrentThread();
}

TEST_F(JniEnvironmentTest, MissingNativeMethodIsLoggedAndAnswersTheDefault) {
    // No library exports this: the guard logs it and answers the default.
    auto counted = std::make_shared<Counted>(QStringLiteral("self"));
    EXPECT_EQ(guardedNative<std::int32_t>("Java_test_Counted_n_1missing", *counted), 0);
    EXPECT_TRUE(environment.logContains(QStringLiteral("UnsatisfiedLinkError")));
    // The calling thread was attached for the call only.
    EXPECT_EQ(vm.currentThread(), nullptr);
}

using JniEnvironmentDeathTest = JniEnvironmentTest;

TEST_F(JniEnvironmentDeathTest, UnimplementedSlotAbortsNamingIt) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            JNIEnv* env = attach();
            env->MonitorEnter(env->NewStringUTF("lock"));
        },
        "MonitorEnter");
    EXPECT_DEATH(vm.getJavaVm()->DestroyJavaVM(), "DestroyJavaVM");
}

} // namespace
} // namespace plenfox::jni
