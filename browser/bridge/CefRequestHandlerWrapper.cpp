#include "browser/bridge/CefRequestHandlerWrapper.h"

#include "browser/bridge/CefContentFilterWrapper.h"
#include "browser/bridge/CefDownloadHandlerWrapper.h"
#include "browser/bridge/ClientArguments.h"
#include "browser/bridge/ClientSignatures.h"
#include "browser/bridge/JavaBox.h"
#include "browser/bridge/JavaCallScope.h"
#include "browser/bridge/JavaStrings.h"
#include "browser/bridge/StreamReaderBox.h"

namespace viewlink {

namespace {

jvalue stringValue(JNIEnv* env, const CefString& text) {
    jvalue value;
    value.l = JavaStrings::toClient(env, text);
    return value;
}

// Stores the client object a box holds into an engine out-parameter, wrapped
// in a new Wrapper; null stores none.
template <class Wrapper, class Interface>
void writeBackWrapped(JNIEnv* env, JavaBox& box, const char* getter, CefRefPtr<Interface>& out) {
    jobject value = nullptr;
    if (!box.readObject(getter, value))
        return;
    if (!value) {
        out = nullptr;
        return;
    }
    out = new Wrapper(env, value);
    env->DeleteLocalRef(value);
}

} // namespace

CefRequestHandlerWrapper::CefRequestHandlerWrapper(JNIEnv* env, jobject handler)
    : CefJavaGlobalRef(env, handler), onBeforeBrowse_{vm(), object(), "onBeforeBrowse",
                                                      "(" VIEWLINK_T(CefBrowser) VIEWLINK_T(
                                                          CefFrame) VIEWLINK_T(CefRequest)
                                                          VIEWLINK_T(CefNavigationType) "Z)Z"},
      onBeforeResourceLoad_{vm(), object(), "onBeforeResourceLoad",
                            "(" VIEWLINK_T(CefBrowser) VIEWLINK_T(CefRequest)
                                VIEWLINK_T(CefStringBox) VIEWLINK_T(CefStreamReaderBox)
                                    VIEWLINK_T(CefResponse) "I)Z"},
      onResourceRedirect_{
          vm(), object(), "onResourceRedirect",
          "(" VIEWLINK_T(CefBrowser) "Ljava/lang/String;" VIEWLINK_T(CefStringBox) ")V"},
      onResourceResponse_{vm(), object(), "onResourceResponse",
                          "(" VIEWLINK_T(CefBrowser) "Ljava/lang/String;" VIEWLINK_T(CefResponse)
                              VIEWLINK_T(CefContentFilterBox) ")V"},
      onProtocolExecution_{
          vm(), object(), "onProtocolExecution",
          "(" VIEWLINK_T(CefBrowser) "Ljava/lang/String;" VIEWLINK_T(CefBooleanBox) ")Z"},
      getDownloadHandler_{
          vm(), object(), "getDownloadHandler",
          "(" VIEWLINK_T(CefBrowser) "Ljava/lang/String;Ljava/lang/String;J" VIEWLINK_T(
              CefDownloadHandlerBox) ")Z"},
      getAuthCredentials_{vm(), object(), "getAuthCredentials",
                          "(" VIEWLINK_T(CefBrowser) "ZLjava/lang/String;ILjava/lang/String;"
                                                     "Ljava/lang/String;" VIEWLINK_T(CefStringBox)
                                                         VIEWLINK_T(CefStringBox) ")Z"} {}

bool CefRequestHandlerWrapper::OnBeforeBrowse(CefRefPtr<CefBrowser> browser,
                                              CefRefPtr<CefFrame> frame,
                                              CefRefPtr<CefRequest> request,
                                              cef_handler_navtype_t navType, bool isRedirect) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    jvalue args[5];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = ClientArguments::frame(env, frame);
    args[2].l = ClientArguments::request(env, request);
    args[3].l = ClientArguments::enumeration(env, Signatures::NavigationType,
                                             Signatures::NavigationFromInt, navType);
    args[4].z = isRedirect ? JNI_TRUE : JNI_FALSE;
    return onBeforeBrowse_.callBoolean(env, args);
}

bool CefRequestHandlerWrapper::OnBeforeResourceLoad(
    CefRefPtr<CefBrowser> browser, CefRefPtr<CefRequest> request, CefString& redirectUrl,
    CefRefPtr<CefStreamReader>& resourceStream, CefRefPtr<CefResponse> response, int loadFlags) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    JavaBox redirectBox(env, Signatures::StringBox, Signatures::StringBoxInit,
                        stringValue(env, redirectUrl));
    StreamReaderBox streamBox(env, resourceStream);
    jvalue args[6];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = ClientArguments::request(env, request);
    args[2].l = redirectBox.object();
    args[3].l = streamBox.object();
    args[4].l = ClientArguments::response(env, response);
    args[5].i = loadFlags;
    bool threw = false;
    const bool cancel = onBeforeResourceLoad_.callBoolean(env, args, &threw);
    if (!threw) {
        streamBox.writeBack(resourceStream);
        redirectBox.writeBack(redirectUrl);
    }
    return cancel;
}

void CefRequestHandlerWrapper::OnResourceRedirect(CefRefPtr<CefBrowser> browser,
                                                  const CefString& old_url, CefString& new_url) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return;
    JavaBox box(env, Signatures::StringBox, Signatures::StringBoxInit, stringValue(env, new_url));
    jvalue args[3];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = JavaStrings::toClient(env, old_url);
    args[2].l = box.object();
    bool threw = false;
    onResourceRedirect_.callVoid(env, args, &threw);
    if (!threw)
        box.writeBack(new_url);
}

void CefRequestHandlerWrapper::OnResourceResponse(CefRefPtr<CefBrowser> browser,
                                                  const CefString& url,
                                                  CefRefPtr<CefResponse> response,
                                                  CefRefPtr<CefContentFilter>& filter) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return;
    jvalue initial;
    initial.l = ClientArguments::contentFilter(env, filter);
    JavaBox box(env, Signatures::ContentFilterBox, Signatures::ContentFilterBoxInit, initial);
    jvalue args[4];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = JavaStrings::toClient(env, url);
    args[2].l = ClientArguments::response(env, response);
    args[3].l = box.object();
    if (!args[0].l || !args[1].l || !args[2].l || !box.made())
        return;
    bool threw = false;
    onResourceResponse_.callVoid(env, args, &threw);
    if (!threw)
        writeBackWrapped<CefContentFilterWrapper>(env, box, Signatures::ContentFilterGet, filter);
}

bool CefRequestHandlerWrapper::OnProtocolExecution(CefRefPtr<CefBrowser> browser,
                                                   const CefString& url, bool& allowOSExecution) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    jvalue initial;
    initial.z = allowOSExecution ? JNI_TRUE : JNI_FALSE;
    JavaBox box(env, Signatures::BooleanBox, Signatures::BooleanBoxInit, initial);
    jvalue args[3];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = JavaStrings::toClient(env, url);
    args[2].l = box.object();
    bool threw = false;
    const bool handled = onProtocolExecution_.callBoolean(env, args, &threw);
    if (!threw)
        box.writeBack(allowOSExecution);
    return handled;
}

bool CefRequestHandlerWrapper::GetDownloadHandler(CefRefPtr<CefBrowser> browser,
                                                  const CefString& mimeType,
                                                  const CefString& fileName, int64 contentLength,
                                                  CefRefPtr<CefDownloadHandler>& handler) {
    // A negative length is an unknown one: the client decides whether it takes
    // such a download, so it is asked too.
    if (mimeType.empty() || fileName.empty())
        return false;
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    jvalue initial;
    initial.l = ClientArguments::downloadHandler(env, handler);
    JavaBox box(env, Signatures::DownloadHandlerBox, Signatures::DownloadHandlerBoxInit, initial);
    jvalue args[5];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].l = JavaStrings::toClient(env, mimeType);
    args[2].l = JavaStrings::toClient(env, fileName);
    args[3].j = contentLength;
    args[4].l = box.object();
    if (!args[0].l || !box.made())
        return false;
    bool threw = false;
    const bool accepted = getDownloadHandler_.callBoolean(env, args, &threw);
    if (!threw)
        writeBackWrapped<CefDownloadHandlerWrapper>(env, box, Signatures::DownloadHandlerGet,
                                                    handler);
    return accepted;
}

bool CefRequestHandlerWrapper::GetAuthCredentials(CefRefPtr<CefBrowser> browser, bool isProxy,
                                                  const CefString& host, int port,
                                                  const CefString& realm, const CefString& scheme,
                                                  CefString& username, CefString& password) {
    JavaCallScope scope(vm());
    JNIEnv* env = scope.env();
    if (!env)
        return false;
    JavaBox userBox(env, Signatures::StringBox, Signatures::StringBoxInit,
                    stringValue(env, username));
    JavaBox passwordBox(env, Signatures::StringBox, Signatures::StringBoxInit,
                        stringValue(env, password));
    jvalue args[8];
    args[0].l = ClientArguments::browser(env, browser);
    args[1].z = isProxy ? JNI_TRUE : JNI_FALSE;
    args[2].l = JavaStrings::toClient(env, host);
    args[3].i = port;
    args[4].l = JavaStrings::toClient(env, realm);
    args[5].l = JavaStrings::toClient(env, scheme);
    args[6].l = userBox.object();
    args[7].l = passwordBox.object();
    bool threw = false;
    const bool given = getAuthCredentials_.callBoolean(env, args, &threw);
    if (!threw) {
        passwordBox.writeBack(password);
        userBox.writeBack(username);
    }
    return given;
}

} // namespace viewlink
