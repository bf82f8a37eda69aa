#include "browser/jni/NativeCall.h"

#include "browser/jni/JavaThrowable.h"
#include "lib/util/Log.h"

namespace plenfox::jni {

namespace {

const QString Prefix = QStringLiteral("class com.plenfox.lib.jni.NativeCall");

JavaVirtualMachine& currentVm() {
    JavaVirtualMachine* vm = JavaVirtualMachine::getInstance();
    if (!vm)
        throw UnsatisfiedLinkError(QStringLiteral("no JNI environment"));
    return *vm;
}

} // namespace

NativeCall::NativeCall() : state(&currentVm().enterNative()) {}

NativeCall::~NativeCall() {
    state->getVm().leaveNative(*state);
}

void NativeCall::finish(const std::string& symbol) {
    if (auto pending = state->getPending()) {
        state->clearPending();
        util::Log::message(Prefix + QStringLiteral(".finish: [") + QString::fromStdString(symbol) +
                           QStringLiteral("] left an exception pending: ") + pending->toString());
    }
}

void* NativeCall::lookUp(const std::string& symbol) {
    void* function = currentVm().findNative(symbol);
    if (!function)
        throw UnsatisfiedLinkError(QString::fromStdString(symbol));
    return function;
}

void logUnsatisfied(const UnsatisfiedLinkError& error) {
    util::Log::exception(error);
}

} // namespace plenfox::jni
