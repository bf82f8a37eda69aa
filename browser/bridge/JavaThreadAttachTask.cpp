#include "browser/bridge/JavaThreadAttachTask.h"

#include <atomic>
#include <sys/syscall.h>
#include <unistd.h>

namespace viewlink {

namespace {

bool onMainThread() {
    return ::syscall(SYS_gettid) == ::getpid();
}

// Detaches its thread from the runtime when the thread ends.
class DetachAtThreadEnd {
public:
    ~DetachAtThreadEnd() {
        if (vm)
            vm->DetachCurrentThread();
    }
    JavaVM* vm = nullptr;
};

thread_local DetachAtThreadEnd attachment;
std::atomic<bool> mainThreadAttached{false};

} // namespace

void JavaThreadAttachTask::Execute(CefThreadId) {
    JNIEnv* env = nullptr;
    if (vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr) != JNI_OK)
        return;
    if (onMainThread())
        mainThreadAttached = true;
    else
        attachment.vm = vm_;
}

void JavaThreadAttachTask::detachMainThread(JavaVM* vm) {
    if (onMainThread() && mainThreadAttached.exchange(false))
        vm->DetachCurrentThread();
}

} // namespace viewlink
