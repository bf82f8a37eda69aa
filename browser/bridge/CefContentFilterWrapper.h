#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_content_filter.h"

namespace viewlink {

// Lets a client CefContentFilter see (read-only) and replace a resource body.
class CefContentFilterWrapper : public CefJavaGlobalRef, public CefContentFilter {
public:
    CefContentFilterWrapper(JNIEnv* env, jobject filter);

    void ProcessData(const void* data, int data_size,
                     CefRefPtr<CefStreamReader>& substitute_data) override;
    void Drain(CefRefPtr<CefStreamReader>& remainder) override;

private:
    JavaMethodRef processData_;
    JavaMethodRef drain_;

    IMPLEMENT_REFCOUNTING(CefContentFilterWrapper)
};

} // namespace viewlink
