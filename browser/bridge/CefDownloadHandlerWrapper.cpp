#include "browser/bridge/CefDownloadHandlerWrapper.h"

#include "browser/bridge/ClientArguments.h"
#include "browser/bridge/JavaCallScope.h"

namespace viewlink {

using namespace plenfox::boundary;

CefDownloadHandlerWrapper::CefDownloadHandlerWrapper(JNIEnv* env, jobject handler)
    : CefJavaGlobalRef(env, handler), receivedData_{vm(), object(),
                                                    Methods::DownloadHandlerReceivedData},
      complete_{vm(), object(), Methods::DownloadHandlerComplete} {}

bool CefDownloadHandlerWrapper::ReceivedData(void* data, int data_size) {
    if (!data && data_size > 0)
        return false;
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    jvalue arg;
    arg.l = ClientArguments::buffer(env, data, data_size);
    if (!arg.l)
        return false;
    return receivedData_.callBoolean(env, &arg);
}

void CefDownloadHandlerWrapper::Complete() {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return;
    complete_.callVoid(env);
}

} // namespace viewlink
