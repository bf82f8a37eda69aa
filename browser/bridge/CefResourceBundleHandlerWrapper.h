#pragma once

#include "browser/bridge/CefJavaGlobalRef.h"
#include "browser/bridge/JavaMethodRef.h"

#include "cef_resource_bundle_handler.h"

namespace viewlink {

// Lets a client CefResourceBundleHandler replace the engine's localized
// strings. Data resources are never supplied.
class CefResourceBundleHandlerWrapper : public CefJavaGlobalRef, public CefResourceBundleHandler {
public:
    CefResourceBundleHandlerWrapper(JNIEnv* env, jobject handler);

    bool GetLocalizedString(int message_id, CefString& string) override;

private:
    JavaMethodRef getLocalizedString_;

    IMPLEMENT_REFCOUNTING(CefResourceBundleHandlerWrapper)
};

} // namespace viewlink
