#include "browser/jni/JavaVirtualMachine.h"

#include "browser/jni/CoreClasses.h"
#include "browser/jni/JniFunctions.h"
#include "browser/jni/JniSlotNames.h"
#include "browser/jni/UnsatisfiedLinkError.h"
#include "lib/util/Log.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace plenfox::jni {

JavaVirtualMachine* JavaVirtualMachine::instance = nullptr;

namespace {

const QString Prefix = QStringLiteral("class com.plenfox.lib.jni.JavaVirtualMachine");

[[noreturn]] void abortUnimplemented(const char* slotName) {
    const QString message = QStringLiteral("JNI function ") + QString::fromLatin1(slotName) +
                            QStringLiteral(" is not implemented by the client's environment");
    util::Log::message(Prefix + QStringLiteral(".unimplemented: ") + message);
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    std::abort();
}

template <std::size_t Slot> void unimplementedSlot() {
    abortUnimplemented(JniSlotNames[Slot]);
}

// Every slot first gets a function that aborts naming it; the implemented
// functions then replace theirs. Reserved slots stay null.
template <std::size_t... Slots>
void fillUnimplemented(JNINativeInterface_& table, std::index_sequence<Slots...>) {
    void** slots = reinterpret_cast<void**>(&table);
    ((slots[Slots] = Slots < 4 ? nullptr : reinterpret_cast<void*>(&unimplementedSlot<Slots>)),
     ...);
}

bool isKnownVersion(jint version) {
    switch (version) {
    case JNI_VERSION_1_1:
    case JNI_VERSION_1_2:
    case JNI_VERSION_1_4:
    case JNI_VERSION_1_6:
        return true;
    default:
        return false;
    }
}

jint JNICALL destroyJavaVm(JavaVM*) {
    abortUnimplemented("DestroyJavaVM");
}

jint JNICALL attachThread(JavaVM* vm, void** env, void*) {
    ThreadState& thread = vmOf(vm).attachCurrentThread();
    *env = thread.getEnv();
    return JNI_OK;
}

jint JNICALL detachThread(JavaVM* vm) {
    return vmOf(vm).detachCurrentThread();
}

jint JNICALL getEnv(JavaVM* vm, void** env, jint version) {
    *env = nullptr;
    ThreadState* thread = vmOf(vm).currentThread();
    if (!thread)
        return JNI_EDETACHED;
    if (!isKnownVersion(version))
        return JNI_EVERSION;
    *env = thread->getEnv();
    return JNI_OK;
}

} // namespace

JavaVirtualMachine& vmOf(JavaVM* vm) {
    return *reinterpret_cast<JavaVirtualMachine::VmHandle*>(vm)->owner;
}

JavaVirtualMachine::JavaVirtualMachine() {
    invokeFunctions.DestroyJavaVM = &destroyJavaVm;
    invokeFunctions.AttachCurrentThread = &attachThread;
    invokeFunctions.AttachCurrentThreadAsDaemon = &attachThread;
    invokeFunctions.DetachCurrentThread = &detachThread;
    invokeFunctions.GetEnv = &getEnv;
    vmHandle.vm.functions = &invokeFunctions;
    vmHandle.owner = this;
    fillUnimplemented(functions, std::make_index_sequence<JniSlotCount>{});
    installFunctions(functions);
    declareCoreClasses(classes);
    instance = this;
}

JavaVirtualMachine::~JavaVirtualMachine() {
    if (instance == this)
        instance = nullptr;
    // References are released before the containers go, outside their locks.
    std::unordered_map<const void*, std::unique_ptr<Reference>> releasedGlobals;
    {
        std::lock_guard guard(globalsLock);
        releasedGlobals.swap(globals);
    }
    releasedGlobals.clear();
    std::unordered_map<std::thread::id, std::unique_ptr<ThreadState>> releasedThreads;
    {
        std::lock_guard guard(threadsLock);
        releasedThreads.swap(threads);
    }
    for (auto& [id, thread] : releasedThreads)
        thread->detach();
    releasedThreads.clear();
}

JavaVirtualMachine* JavaVirtualMachine::getInstance() {
    return instance;
}

ThreadState* JavaVirtualMachine::currentThread() {
    std::lock_guard guard(threadsLock);
    auto found = threads.find(std::this_thread::get_id());
    if (found == threads.end() || !found->second->isUsable())
        return nullptr;
    return found->second.get();
}

ThreadState& JavaVirtualMachine::attachCurrentThread() {
    ThreadState* state;
    {
        std::lock_guard guard(threadsLock);
        auto& entry = threads[std::this_thread::get_id()];
        if (!entry)
            entry = std::make_unique<ThreadState>(*this, &functions);
        state = entry.get();
    }
    state->attach();
    state->explicitlyAttached = true;
    return *state;
}

jint JavaVirtualMachine::detachCurrentThread() {
    ThreadState* state = currentThread();
    if (!state)
        return JNI_OK;
    state->explicitlyAttached = false;
    // A thread inside a native call stays attached until the call returns.
    if (state->nativeDepth > 0)
        return JNI_ERR;
    state->detach();
    return JNI_OK;
}

ThreadState& JavaVirtualMachine::enterNative() {
    ThreadState* state = currentThread();
    if (!state) {
        {
            std::lock_guard guard(threadsLock);
            auto& entry = threads[std::this_thread::get_id()];
            if (!entry)
                entry = std::make_unique<ThreadState>(*this, &functions);
            state = entry.get();
        }
        state->attach();
    }
    ++state->nativeDepth;
    state->pushFrame();
    return *state;
}

void JavaVirtualMachine::leaveNative(ThreadState& thread) {
    thread.popFrame();
    if (--thread.nativeDepth == 0 && !thread.explicitlyAttached)
        thread.detach();
}

jobject JavaVirtualMachine::newGlobal(std::shared_ptr<JavaObject> object) {
    if (!object)
        return nullptr;
    auto reference = std::make_unique<Reference>(Reference{std::move(object), JNIGlobalRefType});
    const void* key = reference.get();
    std::lock_guard guard(globalsLock);
    globals.emplace(key, std::move(reference));
    return const_cast<jobject>(static_cast<const _jobject*>(key));
}

void JavaVirtualMachine::deleteGlobal(jobject reference) {
    std::unique_ptr<Reference> released;
    {
        std::lock_guard guard(globalsLock);
        auto found = globals.find(reference);
        if (found == globals.end())
            return;
        released = std::move(found->second);
        globals.erase(found);
    }
}

bool JavaVirtualMachine::resolveGlobal(jobject reference, std::shared_ptr<JavaObject>& object) {
    std::lock_guard guard(globalsLock);
    auto found = globals.find(reference);
    if (found == globals.end())
        return false;
    object = found->second->object;
    return true;
}

std::size_t JavaVirtualMachine::globalCount() {
    std::lock_guard guard(globalsLock);
    return globals.size();
}

void JavaVirtualMachine::loadLibrary(const std::filesystem::path& file) {
    void* library = dlopen(file.c_str(), RTLD_NOW | RTLD_GLOBAL);
    if (!library) {
        const char* reason = dlerror();
        throw UnsatisfiedLinkError(
            QStringLiteral("Can't load library [") + QString::fromStdString(file.string()) +
            QStringLiteral("]: ") +
            (reason ? QString::fromLocal8Bit(reason) : QStringLiteral("unknown reason")));
    }
    {
        std::lock_guard guard(librariesLock);
        libraries.push_back(library);
        natives.clear();
    }
    using OnLoad = jint(JNICALL*)(JavaVM*, void*);
    if (auto onLoad = reinterpret_cast<OnLoad>(dlsym(library, "JNI_OnLoad"))) {
        const jint version = onLoad(getJavaVm(), nullptr);
        if (!isKnownVersion(version))
            throw UnsatisfiedLinkError(QStringLiteral("Library [") +
                                       QString::fromStdString(file.string()) +
                                       QStringLiteral("] asks for an unsupported JNI version ") +
                                       QString::number(version, 16));
    }
}

void* JavaVirtualMachine::findNative(const std::string& symbol) {
    std::lock_guard guard(librariesLock);
    if (auto cached = natives.find(symbol); cached != natives.end())
        return cached->second;
    void* address = nullptr;
    for (void* library : libraries)
        if ((address = dlsym(library, symbol.c_str())))
            break;
    natives.emplace(symbol, address);
    return address;
}

const void* JavaVirtualMachine::lendBuffer(std::unique_ptr<char[]> buffer) {
    const void* key = buffer.get();
    std::lock_guard guard(buffersLock);
    buffers.emplace(key, std::move(buffer));
    return key;
}

bool JavaVirtualMachine::returnBuffer(const void* buffer) {
    std::lock_guard guard(buffersLock);
    return buffers.erase(buffer) == 1;
}

} // namespace plenfox::jni
