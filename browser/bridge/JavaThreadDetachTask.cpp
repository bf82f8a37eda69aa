#include "browser/bridge/JavaThreadDetachTask.h"

namespace viewlink {

void JavaThreadDetachTask::Execute(CefThreadId) {
    vm_->DetachCurrentThread();
}

} // namespace viewlink
