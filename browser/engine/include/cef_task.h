// Work handed to one of the engine's threads.
#pragma once

#include "cef_base.h"
#include "cef_export.h"
#include "cef_types.h"

class CefTask : public virtual CefBase {
public:
    // Runs on the thread the task was posted to.
    virtual void Execute(CefThreadId threadId) = 0;
};

// Queues the task on the thread; false when the engine is not running or the
// thread is stopping. Tasks posted to one thread run in the order posted.
CEF_EXPORT bool CefPostTask(CefThreadId threadId, CefRefPtr<CefTask> task);
// As CefPostTask, after at least delayMs milliseconds.
CEF_EXPORT bool CefPostDelayedTask(CefThreadId threadId, CefRefPtr<CefTask> task, int64 delayMs);
// True when the calling thread is the engine's thread of that id.
CEF_EXPORT bool CefCurrentlyOn(CefThreadId threadId);
