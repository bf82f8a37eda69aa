#include "browser/jni/ThreadState.h"

#include "browser/jni/JavaThrowable.h"
#include "browser/jni/JavaVirtualMachine.h"
#include "lib/util/Error.h"
#include "lib/util/Log.h"

#include <algorithm>

namespace plenfox::jni {

namespace {

const QString Prefix = QStringLiteral("class com.plenfox.lib.jni.ThreadState");

} // namespace

ThreadState::ThreadState(JavaVirtualMachine& vm, const JNINativeInterface_* functions)
    : vm(vm), owner(std::this_thread::get_id()) {
    handle.env.functions = functions;
    handle.owner = this;
}

ThreadState::~ThreadState() {
    detach();
}

ThreadState& ThreadState::of(JNIEnv* env) {
    return *reinterpret_cast<Handle*>(env)->owner;
}

bool ThreadState::isUsable() const {
    return attached && owner == std::this_thread::get_id();
}

void ThreadState::attach() {
    if (frames.empty())
        frames.emplace_back();
    attached = true;
}

void ThreadState::detach() {
    attached = false;
    explicitlyAttached = false;
    // Released outside the containers: destructors may come back here.
    auto released = std::move(frames);
    frames.clear();
    live.clear();
    pending.reset();
    released.clear();
}

jobject ThreadState::newLocal(std::shared_ptr<JavaObject> object) {
    if (!object)
        return nullptr;
    if (frames.empty())
        frames.emplace_back();
    auto reference = std::make_unique<Reference>(Reference{std::move(object), JNILocalRefType});
    Reference* raw = reference.get();
    frames.back().push_back(std::move(reference));
    live.insert(raw);
    if (frames.size() == 1 && frames.back().size() == LeakWarningThreshold && !leakReported) {
        leakReported = true;
        util::Log::message(Prefix + QStringLiteral(".newLocal: ") +
                           QString::number(LeakWarningThreshold) +
                           QStringLiteral(" local references held outside any frame; native code "
                                          "on this attached thread does not delete them"));
    }
    return reinterpret_cast<jobject>(raw);
}

std::shared_ptr<JavaObject> ThreadState::resolve(jobject reference) {
    if (!reference)
        return nullptr;
    if (live.contains(reference))
        return reinterpret_cast<Reference*>(reference)->object;
    std::shared_ptr<JavaObject> global;
    if (vm.resolveGlobal(reference, global))
        return global;
    util::Log::message(Prefix + QStringLiteral(".resolve: invalid reference used by native code"));
    return nullptr;
}

bool ThreadState::isLocal(jobject reference) const {
    return reference && live.contains(reference);
}

void ThreadState::deleteLocal(jobject reference) {
    if (!reference || !live.contains(reference))
        return;
    for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
        auto found = std::find_if(frame->rbegin(), frame->rend(), [reference](const auto& entry) {
            return entry.get() == reinterpret_cast<Reference*>(reference);
        });
        if (found != frame->rend()) {
            std::unique_ptr<Reference> released = std::move(*found);
            frame->erase(std::next(found).base());
            live.erase(reference);
            return; // `released` goes here, after the bookkeeping
        }
    }
}

void ThreadState::pushFrame() {
    frames.emplace_back();
}

void ThreadState::popFrame() {
    if (frames.size() <= 1) {
        // The base frame is never removed, only emptied.
        if (frames.empty())
            return;
    }
    std::vector<std::unique_ptr<Reference>> released = std::move(frames.back());
    if (frames.size() > 1)
        frames.pop_back();
    else
        frames.back().clear();
    for (const auto& reference : released)
        live.erase(reference.get());
    released.clear();
}

void ThreadState::raise(std::shared_ptr<JavaThrowable> throwable) {
    pending = std::move(throwable);
}

void ThreadState::raise(const QString& className, const QString& message) {
    raise(std::make_shared<JavaThrowable>(className, message));
}

void ThreadState::raiseFromHandler(std::exception_ptr error, const std::string& methodName) {
    const QString method = QString::fromStdString(methodName);
    try {
        std::rethrow_exception(error);
    } catch (const util::Error& own) {
        util::Log::exception(own);
        raise(own.typeName(), own.message());
    } catch (const std::exception& foreign) {
        util::Log::exception(foreign);
        raise(QStringLiteral("java.lang.RuntimeException"), QString::fromLocal8Bit(foreign.what()));
    } catch (...) {
        const util::Error unknown(QStringLiteral("java.lang.RuntimeException"),
                                  QStringLiteral("unknown exception"));
        util::Log::exception(unknown);
        raise(unknown.typeName(), unknown.message());
    }
    util::Log::message(Prefix + QStringLiteral(".raiseFromHandler: [") + method +
                       QStringLiteral("] raised an exception; it is pending in native code"));
}

} // namespace plenfox::jni
