#include "browser/bridge/CefLoadHandlerWrapper.h"

#include "browser/bridge/ClientArguments.h"
#include "browser/bridge/JavaBox.h"
#include "browser/bridge/JavaCallScope.h"
#include "browser/bridge/JavaStrings.h"

namespace viewlink {

using namespace plenfox::boundary;

CefLoadHandlerWrapper::CefLoadHandlerWrapper(JNIEnv* env, jobject handler)
    : CefJavaGlobalRef(env, handler), onLoadStart_{vm(), object(), Methods::LoadHandlerOnLoadStart},
      onLoadEnd_{vm(), object(), Methods::LoadHandlerOnLoadEnd},
      onLoadError_{vm(), object(), Methods::LoadHandlerOnLoadError} {}

void CefLoadHandlerWrapper::OnLoadStart(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return;
    jvalue args[2];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = ClientArguments::frame(env, frame);
    onLoadStart_.callVoid(env, args);
}

void CefLoadHandlerWrapper::OnLoadEnd(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                      int httpStatusCode) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return;
    jvalue args[3];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = ClientArguments::frame(env, frame);
    args[2].i = httpStatusCode;
    onLoadEnd_.callVoid(env, args);
}

bool CefLoadHandlerWrapper::OnLoadError(CefRefPtr<CefBrowser> browser, CefRefPtr<CefFrame> frame,
                                        cef_handler_errorcode_t errorCode,
                                        const CefString& failedUrl, CefString& errorText) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    jvalue initial;
    initial.l = JavaStrings::toClient(env, errorText);
    JavaBox box(env, Methods::StringBoxInit, initial);
    jvalue args[5];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = ClientArguments::frame(env, frame);
    args[2].l = ClientArguments::enumeration(env, Methods::HandlerErrorCodeFromInt, errorCode);
    args[3].l = JavaStrings::toClient(env, failedUrl);
    args[4].l = box.object();
    bool threw = false;
    const bool handled = onLoadError_.callBoolean(env, args, &threw);
    if (!threw)
        box.writeBack(errorText);
    return handled;
}

} // namespace viewlink
