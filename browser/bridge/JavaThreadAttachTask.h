#pragma once

#include "cef_task.h"

#include <jni.h>

namespace viewlink {

// Attaches the engine thread it runs on to the client runtime, so callbacks
// arriving there can call the client. A thread of the engine's own stays
// attached until it ends, and detaches as it ends: after the last work the
// engine runs on it (closing browsers, releasing download handlers at
// shutdown), never before. The process's main thread, which the engine uses
// as its UI thread when the client runs its own application there, does not
// end with the engine: it is detached by detachMainThread at shutdown.
class JavaThreadAttachTask : public CefTask {
public:
    explicit JavaThreadAttachTask(JavaVM* vm) : vm_(vm) {}
    void Execute(CefThreadId threadId) override;

    // Detaches the calling thread when it is the process's main thread and
    // an attach task attached it (detached once its native call returns).
    static void detachMainThread(JavaVM* vm);

private:
    JavaVM* vm_;

    IMPLEMENT_REFCOUNTING(JavaThreadAttachTask)
};

} // namespace viewlink
