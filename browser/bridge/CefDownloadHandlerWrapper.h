#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_download_handler.h"

namespace viewlink {

// Hands the bytes of a download to a client CefDownloadHandler.
class CefDownloadHandlerWrapper : public CefJavaGlobalRef, public CefDownloadHandler {
public:
    CefDownloadHandlerWrapper(JNIEnv* env, jobject handler);

    bool ReceivedData(void* data, int data_size) override;
    void Complete() override;

private:
    JavaMethodRef receivedData_;
    JavaMethodRef complete_;

    IMPLEMENT_REFCOUNTING(CefDownloadHandlerWrapper)
};

} // namespace viewlink
