#pragma once

#include "cef_task.h"

#include <jni.h>

namespace viewlink {

// Detaches the engine thread it runs on from the client runtime.
class JavaThreadDetachTask : public CefTask {
public:
    explicit JavaThreadDetachTask(JavaVM* vm) : vm_(vm) {}
    void Execute(CefThreadId threadId) override;

private:
    JavaVM* vm_;

    IMPLEMENT_REFCOUNTING(JavaThreadDetachTask)
};

} // namespace viewlink
