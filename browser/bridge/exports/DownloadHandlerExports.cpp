#include "browser/bridge/ExportSupport.h"

#include "cef_download_handler.h"

#include <limits>

using namespace viewlink;

VIEWLINK_EXPORT(jboolean, NativeCefDownloadHandler, receivedData)
(JNIEnv* env, jobject self, jobject buffer) {
    CefRefPtr<CefDownloadHandler> handler =
        referencedBy<CefDownloadHandler>(env, self, Kinds::DownloadHandler);
    const BufferRegion region = BufferRegion::of(env, buffer);
    if (!handler || !region.valid() || region.capacity > std::numeric_limits<int>::max())
        return JNI_FALSE;
    return toJava(handler->ReceivedData(region.address, static_cast<int>(region.capacity)));
}

VIEWLINK_EXPORT(void, NativeCefDownloadHandler, complete)(JNIEnv* env, jobject self) {
    if (CefRefPtr<CefDownloadHandler> handler =
            referencedBy<CefDownloadHandler>(env, self, Kinds::DownloadHandler))
        handler->Complete();
}

VIEWLINK_EXPORT(void, NativeCefDownloadHandler, dispose)(JNIEnv* env, jobject self) {
    disposeReferenced<CefDownloadHandler>(env, self, Kinds::DownloadHandler);
}
