#pragma once

#include "cef_task.h"

#include <jni.h>

namespace viewlink {

// Attaches the engine thread it runs on to the client runtime, so callbacks
// arriving there can call the client. The thread stays attached until a
// JavaThreadDetachTask runs on it.
class JavaThreadAttachTask : public CefTask {
public:
    explicit JavaThreadAttachTask(JavaVM* vm) : vm_(vm) {}
    void Execute(CefThreadId threadId) override;

private:
    JavaVM* vm_;

    IMPLEMENT_REFCOUNTING(JavaThreadAttachTask)
};

} // namespace viewlink
