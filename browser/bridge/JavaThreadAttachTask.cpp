#include "browser/bridge/JavaThreadAttachTask.h"

namespace viewlink {

void JavaThreadAttachTask::Execute(CefThreadId) {
    JNIEnv* env = nullptr;
    vm_->AttachCurrentThread(reinterpret_cast<void**>(&env), nullptr);
}

} // namespace viewlink
