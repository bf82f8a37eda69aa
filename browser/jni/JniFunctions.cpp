#include "browser/jni/JniFunctions.h"

#include "browser/jni/DirectByteBuffer.h"
#include "browser/jni/JavaClass.h"
#include "browser/jni/JavaString.h"
#include "browser/jni/JavaThrowable.h"
#include "browser/jni/JavaVirtualMachine.h"
#include "lib/utf8/ModifiedUtf8.h"
#include "lib/util/Log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// The functions below follow the JNI's rules: a failed look-up leaves the
// matching error pending and answers null; calls on a thread that may not use
// the interface pointer (another thread's pointer, a detached thread) run
// nothing and answer the default.

namespace plenfox::jni {

namespace {

const QString Prefix = QStringLiteral("class com.plenfox.lib.jni.JniFunctions");

// Text crosses the interface in modified UTF-8.
QString decodeModified(std::string_view bytes) {
    return QString::fromStdU16String(utf8::ModifiedUtf8::decode(bytes));
}

std::u16string_view unitsOf(QStringView text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())};
}

// The calling thread's state, or null when the pointer may not be used here.
ThreadState* usable(JNIEnv* env, const char* function) {
    ThreadState& thread = ThreadState::of(env);
    if (thread.isUsable())
        return &thread;
    util::Log::message(Prefix + QStringLiteral(".") + QString::fromLatin1(function) +
                       QStringLiteral(": interface pointer used on a thread it does not belong to "
                                      "or after detaching; nothing runs"));
    return nullptr;
}

std::shared_ptr<JavaClass> classOf(ThreadState& thread, jclass reference) {
    return std::dynamic_pointer_cast<JavaClass>(thread.resolve(reference));
}

const MethodDescriptor* methodOf(jmethodID id) {
    return reinterpret_cast<const MethodDescriptor*>(id);
}

const FieldDescriptor* fieldOf(jfieldID id) {
    return reinterpret_cast<const FieldDescriptor*>(id);
}

std::vector<jvalue> argumentsOf(const MethodDescriptor& method, va_list list) {
    std::vector<jvalue> args;
    va_list copy;
    va_copy(copy, list);
    for (char kind : method.argumentKinds()) {
        jvalue value{};
        switch (kind) {
        case 'Z':
            value.z = static_cast<jboolean>(va_arg(copy, int));
            break;
        case 'B':
            value.b = static_cast<jbyte>(va_arg(copy, int));
            break;
        case 'C':
            value.c = static_cast<jchar>(va_arg(copy, int));
            break;
        case 'S':
            value.s = static_cast<jshort>(va_arg(copy, int));
            break;
        case 'I':
            value.i = va_arg(copy, jint);
            break;
        case 'J':
            value.j = va_arg(copy, jlong);
            break;
        case 'F':
            value.f = static_cast<jfloat>(va_arg(copy, double));
            break;
        case 'D':
            value.d = va_arg(copy, double);
            break;
        default:
            value.l = va_arg(copy, jobject);
            break;
        }
        args.push_back(value);
    }
    va_end(copy);
    return args;
}

// Runs a C++ member in a frame of its own; a C++ exception becomes the
// pending exception.
JavaValue invoke(ThreadState& thread, const MethodDescriptor& method, JavaObject* self,
                 const jvalue* args) {
    JavaValue result;
    thread.pushFrame();
    try {
        result = method.invoke(thread, self, args);
    } catch (...) {
        thread.raiseFromHandler(std::current_exception(), method.name);
        result = {};
    }
    thread.popFrame();
    return result;
}

template <class R> R resultAs(ThreadState& thread, const JavaValue& value) {
    if constexpr (std::is_same_v<R, void>)
        return;
    else if constexpr (std::is_same_v<R, jobject>)
        return thread.newLocal(value.object);
    else if constexpr (std::is_same_v<R, jboolean>)
        return value.primitive.z;
    else if constexpr (std::is_same_v<R, jbyte>)
        return value.primitive.b;
    else if constexpr (std::is_same_v<R, jchar>)
        return value.primitive.c;
    else if constexpr (std::is_same_v<R, jshort>)
        return value.primitive.s;
    else if constexpr (std::is_same_v<R, jint>)
        return value.primitive.i;
    else if constexpr (std::is_same_v<R, jlong>)
        return value.primitive.j;
    else if constexpr (std::is_same_v<R, jfloat>)
        return value.primitive.f;
    else
        return value.primitive.d;
}

template <class R>
R callInstance(JNIEnv* env, jobject object, jmethodID id, const jvalue* args, const char* name) {
    ThreadState* thread = usable(env, name);
    if (!thread || !id)
        return R();
    auto self = thread->resolve(object);
    if (!self) {
        thread->raise(QStringLiteral("java.lang.NullPointerException"),
                      QString::fromStdString(methodOf(id)->name));
        return R();
    }
    return resultAs<R>(*thread, invoke(*thread, *methodOf(id), self.get(), args));
}

template <class R> R callStatic(JNIEnv* env, jmethodID id, const jvalue* args, const char* name) {
    ThreadState* thread = usable(env, name);
    if (!thread || !id)
        return R();
    return resultAs<R>(*thread, invoke(*thread, *methodOf(id), nullptr, args));
}

// The three forms of each call: variadic, va_list and array.
#define PLENFOX_CALL_FAMILY(Type, R)                                                               \
    R JNICALL call##Type##MethodA(JNIEnv* env, jobject obj, jmethodID id, const jvalue* args) {    \
        return callInstance<R>(env, obj, id, args, "Call" #Type "MethodA");                        \
    }                                                                                              \
    R JNICALL call##Type##MethodV(JNIEnv* env, jobject obj, jmethodID id, va_list list) {          \
        if (!id)                                                                                   \
            return R();                                                                            \
        const auto args = argumentsOf(*methodOf(id), list);                                        \
        return callInstance<R>(env, obj, id, args.data(), "Call" #Type "MethodV");                 \
    }                                                                                              \
    R JNICALL call##Type##Method(JNIEnv* env, jobject obj, jmethodID id, ...) {                    \
        va_list list;                                                                              \
        va_start(list, id);                                                                        \
        std::vector<jvalue> args;                                                                  \
        if (id)                                                                                    \
            args = argumentsOf(*methodOf(id), list);                                               \
        va_end(list);                                                                              \
        return callInstance<R>(env, obj, id, args.data(), "Call" #Type "Method");                  \
    }                                                                                              \
    R JNICALL callStatic##Type##MethodA(JNIEnv* env, jclass, jmethodID id, const jvalue* args) {   \
        return callStatic<R>(env, id, args, "CallStatic" #Type "MethodA");                         \
    }                                                                                              \
    R JNICALL callStatic##Type##MethodV(JNIEnv* env, jclass, jmethodID id, va_list list) {         \
        if (!id)                                                                                   \
            return R();                                                                            \
        const auto args = argumentsOf(*methodOf(id), list);                                        \
        return callStatic<R>(env, id, args.data(), "CallStatic" #Type "MethodV");                  \
    }                                                                                              \
    R JNICALL callStatic##Type##Method(JNIEnv* env, jclass, jmethodID id, ...) {                   \
        va_list list;                                                                              \
        va_start(list, id);                                                                        \
        std::vector<jvalue> args;                                                                  \
        if (id)                                                                                    \
            args = argumentsOf(*methodOf(id), list);                                               \
        va_end(list);                                                                              \
        return callStatic<R>(env, id, args.data(), "CallStatic" #Type "Method");                   \
    }

PLENFOX_CALL_FAMILY(Object, jobject)
PLENFOX_CALL_FAMILY(Boolean, jboolean)
PLENFOX_CALL_FAMILY(Byte, jbyte)
PLENFOX_CALL_FAMILY(Char, jchar)
PLENFOX_CALL_FAMILY(Short, jshort)
PLENFOX_CALL_FAMILY(Int, jint)
PLENFOX_CALL_FAMILY(Long, jlong)
PLENFOX_CALL_FAMILY(Float, jfloat)
PLENFOX_CALL_FAMILY(Double, jdouble)
PLENFOX_CALL_FAMILY(Void, void)
#undef PLENFOX_CALL_FAMILY

// Fields.
template <class R> R getField(JNIEnv* env, jobject object, jfieldID id) {
    ThreadState* thread = usable(env, "Get<Type>Field");
    if (!thread || !id)
        return R();
    auto self = thread->resolve(object);
    if (!self) {
        thread->raise(QStringLiteral("java.lang.NullPointerException"),
                      QString::fromStdString(fieldOf(id)->name));
        return R();
    }
    try {
        return resultAs<R>(*thread, fieldOf(id)->get(self.get()));
    } catch (...) {
        thread->raiseFromHandler(std::current_exception(), fieldOf(id)->name);
        return R();
    }
}

template <class V> void setField(JNIEnv* env, jobject object, jfieldID id, jvalue value) {
    ThreadState* thread = usable(env, "Set<Type>Field");
    if (!thread || !id)
        return;
    auto self = thread->resolve(object);
    if (!self) {
        thread->raise(QStringLiteral("java.lang.NullPointerException"),
                      QString::fromStdString(fieldOf(id)->name));
        return;
    }
    try {
        fieldOf(id)->set(*thread, self.get(), value);
    } catch (...) {
        thread->raiseFromHandler(std::current_exception(), fieldOf(id)->name);
    }
}

#define PLENFOX_FIELD_FAMILY(Type, R, member)                                                      \
    R JNICALL get##Type##Field(JNIEnv* env, jobject obj, jfieldID id) {                            \
        return getField<R>(env, obj, id);                                                          \
    }                                                                                              \
    void JNICALL set##Type##Field(JNIEnv* env, jobject obj, jfieldID id, R value) {                \
        jvalue raw{};                                                                              \
        raw.member = value;                                                                        \
        setField<R>(env, obj, id, raw);                                                            \
    }

PLENFOX_FIELD_FAMILY(Object, jobject, l)
PLENFOX_FIELD_FAMILY(Boolean, jboolean, z)
PLENFOX_FIELD_FAMILY(Byte, jbyte, b)
PLENFOX_FIELD_FAMILY(Char, jchar, c)
PLENFOX_FIELD_FAMILY(Short, jshort, s)
PLENFOX_FIELD_FAMILY(Int, jint, i)
PLENFOX_FIELD_FAMILY(Long, jlong, j)
PLENFOX_FIELD_FAMILY(Float, jfloat, f)
PLENFOX_FIELD_FAMILY(Double, jdouble, d)
#undef PLENFOX_FIELD_FAMILY

// Version, classes and objects.
jint JNICALL getVersion(JNIEnv*) {
    return JNI_VERSION_1_6;
}

jclass JNICALL findClass(JNIEnv* env, const char* name) {
    ThreadState* thread = usable(env, "FindClass");
    if (!thread || !name)
        return nullptr;
    auto found = thread->getVm().getClasses().find(name);
    if (!found) {
        thread->raise(QStringLiteral("java.lang.NoClassDefFoundError"), QString::fromUtf8(name));
        return nullptr;
    }
    return static_cast<jclass>(thread->newLocal(found));
}

jclass JNICALL getSuperclass(JNIEnv* env, jclass sub) {
    ThreadState* thread = usable(env, "GetSuperclass");
    if (!thread)
        return nullptr;
    auto javaClass = classOf(*thread, sub);
    if (!javaClass || javaClass->isInterface())
        return nullptr;
    for (const JavaClass* supertype : javaClass->getSupertypes())
        if (!supertype->isInterface())
            return static_cast<jclass>(
                thread->newLocal(thread->getVm().getClasses().find(supertype->getName())));
    return nullptr;
}

jboolean JNICALL isAssignableFrom(JNIEnv* env, jclass sub, jclass sup) {
    ThreadState* thread = usable(env, "IsAssignableFrom");
    if (!thread)
        return JNI_FALSE;
    auto subClass = classOf(*thread, sub);
    auto superClass = classOf(*thread, sup);
    return subClass && superClass && subClass->isSubtypeOf(*superClass) ? JNI_TRUE : JNI_FALSE;
}

jclass JNICALL getObjectClass(JNIEnv* env, jobject object) {
    ThreadState* thread = usable(env, "GetObjectClass");
    if (!thread)
        return nullptr;
    auto self = thread->resolve(object);
    if (!self)
        return nullptr;
    return static_cast<jclass>(thread->newLocal(thread->getVm().getClasses().classOf(*self)));
}

jboolean JNICALL isInstanceOf(JNIEnv* env, jobject object, jclass reference) {
    ThreadState* thread = usable(env, "IsInstanceOf");
    if (!thread)
        return JNI_FALSE;
    auto self = thread->resolve(object);
    if (!self)
        return JNI_TRUE; // null is an instance of every class
    auto javaClass = classOf(*thread, reference);
    if (!javaClass)
        return JNI_FALSE;
    auto actual = thread->getVm().getClasses().classOf(*self);
    return actual->isSubtypeOf(*javaClass) || javaClass->isInstance(*self) ? JNI_TRUE : JNI_FALSE;
}

jmethodID lookUpMethod(JNIEnv* env, jclass reference, const char* name, const char* signature,
                       bool isStatic, const char* function) {
    ThreadState* thread = usable(env, function);
    if (!thread || !name || !signature)
        return nullptr;
    auto javaClass = classOf(*thread, reference);
    const MethodDescriptor* method =
        javaClass ? javaClass->findMethod(name, signature, isStatic) : nullptr;
    if (!method) {
        thread->raise(QStringLiteral("java.lang.NoSuchMethodError"),
                      QString::fromUtf8(name) + QString::fromUtf8(signature));
        return nullptr;
    }
    return reinterpret_cast<jmethodID>(const_cast<MethodDescriptor*>(method));
}

jmethodID JNICALL getMethodId(JNIEnv* env, jclass javaClass, const char* name, const char* sig) {
    return lookUpMethod(env, javaClass, name, sig, false, "GetMethodID");
}

jmethodID JNICALL getStaticMethodId(JNIEnv* env, jclass javaClass, const char* name,
                                    const char* sig) {
    return lookUpMethod(env, javaClass, name, sig, true, "GetStaticMethodID");
}

jfieldID JNICALL getFieldId(JNIEnv* env, jclass reference, const char* name, const char* sig) {
    ThreadState* thread = usable(env, "GetFieldID");
    if (!thread || !name || !sig)
        return nullptr;
    auto javaClass = classOf(*thread, reference);
    const FieldDescriptor* field = javaClass ? javaClass->findField(name, sig, false) : nullptr;
    if (!field) {
        thread->raise(QStringLiteral("java.lang.NoSuchFieldError"), QString::fromUtf8(name));
        return nullptr;
    }
    return reinterpret_cast<jfieldID>(const_cast<FieldDescriptor*>(field));
}

jobject newObjectWith(JNIEnv* env, jclass reference, jmethodID id, const jvalue* args,
                      const char* function) {
    ThreadState* thread = usable(env, function);
    if (!thread || !id)
        return nullptr;
    const MethodDescriptor& constructor = *methodOf(id);
    if (constructor.name != "<init>") {
        thread->raise(QStringLiteral("java.lang.IllegalArgumentException"),
                      QStringLiteral("not a constructor"));
        return nullptr;
    }
    auto javaClass = classOf(*thread, reference);
    if (!javaClass || constructor.owner != javaClass.get()) {
        thread->raise(QStringLiteral("java.lang.IllegalArgumentException"),
                      QStringLiteral("constructor of another class"));
        return nullptr;
    }
    return thread->newLocal(invoke(*thread, constructor, nullptr, args).object);
}

jobject JNICALL newObjectA(JNIEnv* env, jclass javaClass, jmethodID id, const jvalue* args) {
    return newObjectWith(env, javaClass, id, args, "NewObjectA");
}

jobject JNICALL newObjectV(JNIEnv* env, jclass javaClass, jmethodID id, va_list list) {
    if (!id)
        return nullptr;
    const auto args = argumentsOf(*methodOf(id), list);
    return newObjectWith(env, javaClass, id, args.data(), "NewObjectV");
}

jobject JNICALL newObject(JNIEnv* env, jclass javaClass, jmethodID id, ...) {
    va_list list;
    va_start(list, id);
    std::vector<jvalue> args;
    if (id)
        args = argumentsOf(*methodOf(id), list);
    va_end(list);
    return newObjectWith(env, javaClass, id, args.data(), "NewObject");
}

// Exceptions.
jint JNICALL throwObject(JNIEnv* env, jthrowable object) {
    ThreadState* thread = usable(env, "Throw");
    if (!thread)
        return JNI_ERR;
    auto throwable = std::dynamic_pointer_cast<JavaThrowable>(thread->resolve(object));
    if (!throwable)
        return JNI_ERR;
    thread->raise(throwable);
    return JNI_OK;
}

jint JNICALL throwNew(JNIEnv* env, jclass reference, const char* message) {
    ThreadState* thread = usable(env, "ThrowNew");
    if (!thread)
        return JNI_ERR;
    auto javaClass = classOf(*thread, reference);
    if (!javaClass)
        return JNI_ERR;
    QString name = QString::fromStdString(javaClass->getName());
    name.replace(QLatin1Char('/'), QLatin1Char('.'));
    thread->raise(name, message ? decodeModified(message) : QString());
    return JNI_OK;
}

jthrowable JNICALL exceptionOccurred(JNIEnv* env) {
    ThreadState* thread = usable(env, "ExceptionOccurred");
    if (!thread)
        return nullptr;
    return static_cast<jthrowable>(thread->newLocal(thread->getPending()));
}

void JNICALL exceptionDescribe(JNIEnv* env) {
    ThreadState* thread = usable(env, "ExceptionDescribe");
    if (!thread || !thread->getPending())
        return;
    util::Log::message(Prefix + QStringLiteral(".ExceptionDescribe: ") +
                       thread->getPending()->toString());
    thread->clearPending();
}

void JNICALL exceptionClear(JNIEnv* env) {
    if (ThreadState* thread = usable(env, "ExceptionClear"))
        thread->clearPending();
}

jboolean JNICALL exceptionCheck(JNIEnv* env) {
    ThreadState* thread = usable(env, "ExceptionCheck");
    return thread && thread->getPending() ? JNI_TRUE : JNI_FALSE;
}

void JNICALL fatalError(JNIEnv*, const char* message) {
    const QString text = message ? decodeModified(message) : QString();
    util::Log::message(Prefix + QStringLiteral(".FatalError: ") + text);
    std::fprintf(stderr, "FatalError: %s\n", text.toLocal8Bit().constData());
    std::abort();
}

// References.
jint JNICALL pushLocalFrame(JNIEnv* env, jint capacity) {
    ThreadState* thread = usable(env, "PushLocalFrame");
    if (!thread || capacity < 0)
        return JNI_ERR;
    thread->pushFrame();
    return JNI_OK;
}

jobject JNICALL popLocalFrame(JNIEnv* env, jobject result) {
    ThreadState* thread = usable(env, "PopLocalFrame");
    if (!thread)
        return nullptr;
    auto kept = thread->resolve(result);
    thread->popFrame();
    return thread->newLocal(std::move(kept));
}

jint JNICALL ensureLocalCapacity(JNIEnv* env, jint capacity) {
    return usable(env, "EnsureLocalCapacity") && capacity >= 0 ? JNI_OK : JNI_ERR;
}

jobject JNICALL newGlobalRef(JNIEnv* env, jobject object) {
    ThreadState* thread = usable(env, "NewGlobalRef");
    return thread ? thread->getVm().newGlobal(thread->resolve(object)) : nullptr;
}

void JNICALL deleteGlobalRef(JNIEnv* env, jobject reference) {
    // Deleting a global reference needs no particular thread.
    ThreadState::of(env).getVm().deleteGlobal(reference);
}

void JNICALL deleteLocalRef(JNIEnv* env, jobject reference) {
    if (ThreadState* thread = usable(env, "DeleteLocalRef"))
        thread->deleteLocal(reference);
}

jobject JNICALL newLocalRef(JNIEnv* env, jobject reference) {
    ThreadState* thread = usable(env, "NewLocalRef");
    return thread ? thread->newLocal(thread->resolve(reference)) : nullptr;
}

jboolean JNICALL isSameObject(JNIEnv* env, jobject first, jobject second) {
    ThreadState* thread = usable(env, "IsSameObject");
    if (!thread)
        return JNI_FALSE;
    return thread->resolve(first) == thread->resolve(second) ? JNI_TRUE : JNI_FALSE;
}

jobjectRefType JNICALL getObjectRefType(JNIEnv* env, jobject reference) {
    ThreadState* thread = usable(env, "GetObjectRefType");
    if (!thread || !reference)
        return JNIInvalidRefType;
    if (thread->isLocal(reference))
        return JNILocalRefType;
    std::shared_ptr<JavaObject> object;
    return thread->getVm().resolveGlobal(reference, object) ? JNIGlobalRefType : JNIInvalidRefType;
}

jint JNICALL getJavaVm(JNIEnv* env, JavaVM** vm) {
    *vm = ThreadState::of(env).getVm().getJavaVm();
    return JNI_OK;
}

// Strings.
std::shared_ptr<JavaString> stringOf(ThreadState& thread, jstring reference) {
    auto text = std::dynamic_pointer_cast<JavaString>(thread.resolve(reference));
    if (!text)
        thread.raise(QStringLiteral("java.lang.NullPointerException"), QStringLiteral("string"));
    return text;
}

jstring JNICALL newStringUtf(JNIEnv* env, const char* bytes) {
    ThreadState* thread = usable(env, "NewStringUTF");
    if (!thread || !bytes)
        return nullptr;
    return static_cast<jstring>(
        thread->newLocal(std::make_shared<JavaString>(decodeModified(bytes))));
}

jstring JNICALL newString(JNIEnv* env, const jchar* units, jsize length) {
    ThreadState* thread = usable(env, "NewString");
    if (!thread || length < 0 || (!units && length > 0))
        return nullptr;
    return static_cast<jstring>(thread->newLocal(
        std::make_shared<JavaString>(QString(reinterpret_cast<const QChar*>(units), length))));
}

jsize JNICALL getStringLength(JNIEnv* env, jstring reference) {
    ThreadState* thread = usable(env, "GetStringLength");
    auto text = thread ? stringOf(*thread, reference) : nullptr;
    return text ? static_cast<jsize>(text->getText().size()) : 0;
}

jsize JNICALL getStringUtfLength(JNIEnv* env, jstring reference) {
    ThreadState* thread = usable(env, "GetStringUTFLength");
    auto text = thread ? stringOf(*thread, reference) : nullptr;
    return text ? static_cast<jsize>(utf8::ModifiedUtf8::encodedLength(unitsOf(text->getText())))
                : 0;
}

const char* JNICALL getStringUtfChars(JNIEnv* env, jstring reference, jboolean* isCopy) {
    ThreadState* thread = usable(env, "GetStringUTFChars");
    auto text = thread ? stringOf(*thread, reference) : nullptr;
    if (!text)
        return nullptr;
    const std::string bytes = utf8::ModifiedUtf8::encode(unitsOf(text->getText()));
    auto buffer = std::make_unique<char[]>(bytes.size() + 1);
    std::memcpy(buffer.get(), bytes.c_str(), bytes.size() + 1);
    if (isCopy)
        *isCopy = JNI_TRUE;
    return static_cast<const char*>(thread->getVm().lendBuffer(std::move(buffer)));
}

void JNICALL releaseStringUtfChars(JNIEnv* env, jstring, const char* chars) {
    if (chars && !ThreadState::of(env).getVm().returnBuffer(chars))
        util::Log::message(Prefix +
                           QStringLiteral(".ReleaseStringUTFChars: buffer was not lent; ignored"));
}

const jchar* JNICALL getStringChars(JNIEnv* env, jstring reference, jboolean* isCopy) {
    ThreadState* thread = usable(env, "GetStringChars");
    auto text = thread ? stringOf(*thread, reference) : nullptr;
    if (!text)
        return nullptr;
    const QString& value = text->getText();
    const std::size_t bytes = (static_cast<std::size_t>(value.size()) + 1) * sizeof(jchar);
    auto buffer = std::make_unique<char[]>(bytes);
    std::memcpy(buffer.get(), value.utf16(), bytes);
    if (isCopy)
        *isCopy = JNI_TRUE;
    return static_cast<const jchar*>(thread->getVm().lendBuffer(std::move(buffer)));
}

void JNICALL releaseStringChars(JNIEnv* env, jstring, const jchar* chars) {
    if (chars && !ThreadState::of(env).getVm().returnBuffer(chars))
        util::Log::message(Prefix +
                           QStringLiteral(".ReleaseStringChars: buffer was not lent; ignored"));
}

void JNICALL getStringRegion(JNIEnv* env, jstring reference, jsize start, jsize length,
                             jchar* buffer) {
    ThreadState* thread = usable(env, "GetStringRegion");
    auto text = thread ? stringOf(*thread, reference) : nullptr;
    if (!text)
        return;
    const QString& value = text->getText();
    if (start < 0 || length < 0 || start + length > value.size()) {
        thread->raise(QStringLiteral("java.lang.StringIndexOutOfBoundsException"), QString());
        return;
    }
    std::memcpy(buffer, value.utf16() + start, static_cast<std::size_t>(length) * sizeof(jchar));
}

void JNICALL getStringUtfRegion(JNIEnv* env, jstring reference, jsize start, jsize length,
                                char* buffer) {
    ThreadState* thread = usable(env, "GetStringUTFRegion");
    auto text = thread ? stringOf(*thread, reference) : nullptr;
    if (!text)
        return;
    const QString& value = text->getText();
    if (start < 0 || length < 0 || start + length > value.size()) {
        thread->raise(QStringLiteral("java.lang.StringIndexOutOfBoundsException"), QString());
        return;
    }
    const std::string bytes =
        utf8::ModifiedUtf8::encode(unitsOf(QStringView(value).mid(start, length)));
    std::memcpy(buffer, bytes.c_str(), bytes.size() + 1);
}

// Direct byte buffers.
jobject JNICALL newDirectByteBuffer(JNIEnv* env, void* address, jlong capacity) {
    ThreadState* thread = usable(env, "NewDirectByteBuffer");
    if (!thread || capacity < 0 || (!address && capacity > 0))
        return nullptr;
    return thread->newLocal(std::make_shared<DirectByteBuffer>(address, capacity));
}

void* JNICALL getDirectBufferAddress(JNIEnv* env, jobject reference) {
    ThreadState* thread = usable(env, "GetDirectBufferAddress");
    auto buffer =
        thread ? std::dynamic_pointer_cast<DirectByteBuffer>(thread->resolve(reference)) : nullptr;
    return buffer ? buffer->getAddress() : nullptr;
}

jlong JNICALL getDirectBufferCapacity(JNIEnv* env, jobject reference) {
    ThreadState* thread = usable(env, "GetDirectBufferCapacity");
    auto buffer =
        thread ? std::dynamic_pointer_cast<DirectByteBuffer>(thread->resolve(reference)) : nullptr;
    return buffer ? buffer->getCapacity() : -1;
}

} // namespace

void installFunctions(JNINativeInterface_& table) {
    table.GetVersion = &getVersion;
    table.FindClass = &findClass;
    table.GetSuperclass = &getSuperclass;
    table.IsAssignableFrom = &isAssignableFrom;
    table.Throw = &throwObject;
    table.ThrowNew = &throwNew;
    table.ExceptionOccurred = &exceptionOccurred;
    table.ExceptionDescribe = &exceptionDescribe;
    table.ExceptionClear = &exceptionClear;
    table.ExceptionCheck = &exceptionCheck;
    table.FatalError = &fatalError;
    table.PushLocalFrame = &pushLocalFrame;
    table.PopLocalFrame = &popLocalFrame;
    table.NewGlobalRef = &newGlobalRef;
    table.DeleteGlobalRef = &deleteGlobalRef;
    table.DeleteLocalRef = &deleteLocalRef;
    table.IsSameObject = &isSameObject;
    table.NewLocalRef = &newLocalRef;
    table.EnsureLocalCapacity = &ensureLocalCapacity;
    table.GetObjectRefType = &getObjectRefType;
    table.NewObject = &newObject;
    table.NewObjectV = &newObjectV;
    table.NewObjectA = &newObjectA;
    table.GetObjectClass = &getObjectClass;
    table.IsInstanceOf = &isInstanceOf;
    table.GetMethodID = &getMethodId;
    table.GetStaticMethodID = &getStaticMethodId;
    table.GetFieldID = &getFieldId;
    table.GetJavaVM = &getJavaVm;

#define PLENFOX_INSTALL_CALLS(Type)                                                                \
    table.Call##Type##Method = &call##Type##Method;                                                \
    table.Call##Type##MethodV = &call##Type##MethodV;                                              \
    table.Call##Type##MethodA = &call##Type##MethodA;                                              \
    table.CallStatic##Type##Method = &callStatic##Type##Method;                                    \
    table.CallStatic##Type##MethodV = &callStatic##Type##MethodV;                                  \
    table.CallStatic##Type##MethodA = &callStatic##Type##MethodA;
    PLENFOX_INSTALL_CALLS(Object)
    PLENFOX_INSTALL_CALLS(Boolean)
    PLENFOX_INSTALL_CALLS(Byte)
    PLENFOX_INSTALL_CALLS(Char)
    PLENFOX_INSTALL_CALLS(Short)
    PLENFOX_INSTALL_CALLS(Int)
    PLENFOX_INSTALL_CALLS(Long)
    PLENFOX_INSTALL_CALLS(Float)
    PLENFOX_INSTALL_CALLS(Double)
    PLENFOX_INSTALL_CALLS(Void)
#undef PLENFOX_INSTALL_CALLS

#define PLENFOX_INSTALL_FIELDS(Type)                                                               \
    table.Get##Type##Field = &get##Type##Field;                                                    \
    table.Set##Type##Field = &set##Type##Field;
    PLENFOX_INSTALL_FIELDS(Object)
    PLENFOX_INSTALL_FIELDS(Boolean)
    PLENFOX_INSTALL_FIELDS(Byte)
    PLENFOX_INSTALL_FIELDS(Char)
    PLENFOX_INSTALL_FIELDS(Short)
    PLENFOX_INSTALL_FIELDS(Int)
    PLENFOX_INSTALL_FIELDS(Long)
    PLENFOX_INSTALL_FIELDS(Float)
    PLENFOX_INSTALL_FIELDS(Double)
#undef PLENFOX_INSTALL_FIELDS

    table.NewString = &newString;
    table.GetStringLength = &getStringLength;
    table.GetStringChars = &getStringChars;
    table.ReleaseStringChars = &releaseStringChars;
    table.NewStringUTF = &newStringUtf;
    table.GetStringUTFLength = &getStringUtfLength;
    table.GetStringUTFChars = &getStringUtfChars;
    table.ReleaseStringUTFChars = &releaseStringUtfChars;
    table.GetStringRegion = &getStringRegion;
    table.GetStringUTFRegion = &getStringUtfRegion;
    table.NewDirectByteBuffer = &newDirectByteBuffer;
    table.GetDirectBufferAddress = &getDirectBufferAddress;
    table.GetDirectBufferCapacity = &getDirectBufferCapacity;
}

} // namespace plenfox::jni
