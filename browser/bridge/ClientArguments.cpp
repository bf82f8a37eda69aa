#include "browser/bridge/ClientArguments.h"

#include "browser/bridge/ClientObjects.h"

namespace viewlink {

using namespace plenfox::boundary;

jobject ClientArguments::browser(JNIEnv* env, CefRefPtr<CefBrowser> browser) {
    return ClientObjects::wrapReferenced(env, Kinds::Browser.className, Kinds::Browser.handleField,
                                         browser.get());
}

jobject ClientArguments::frame(JNIEnv* env, CefRefPtr<CefFrame> frame) {
    return ClientObjects::wrapReferenced(env, Kinds::Frame.className, Kinds::Frame.handleField,
                                         frame.get());
}

jobject ClientArguments::request(JNIEnv* env, CefRefPtr<CefRequest> request) {
    return ClientObjects::wrapReferenced(env, Kinds::Request.className, Kinds::Request.handleField,
                                         request.get());
}

jobject ClientArguments::response(JNIEnv* env, CefRefPtr<CefResponse> response) {
    return ClientObjects::wrapReferenced(env, Kinds::Response.className,
                                         Kinds::Response.handleField, response.get());
}

jobject ClientArguments::streamReader(JNIEnv* env, CefRefPtr<CefStreamReader> reader) {
    if (!reader)
        return nullptr;
    return ClientObjects::wrapReferenced(env, Kinds::StreamReader.className,
                                         Kinds::StreamReader.handleField, reader.get());
}

jobject ClientArguments::contentFilter(JNIEnv* env, CefRefPtr<CefContentFilter> filter) {
    if (!filter)
        return nullptr;
    return ClientObjects::wrapReferenced(env, Kinds::ContentFilter.className,
                                         Kinds::ContentFilter.handleField, filter.get());
}

jobject ClientArguments::downloadHandler(JNIEnv* env, CefRefPtr<CefDownloadHandler> handler) {
    if (!handler)
        return nullptr;
    return ClientObjects::wrapReferenced(env, Kinds::DownloadHandler.className,
                                         Kinds::DownloadHandler.handleField, handler.get());
}

jobject ClientArguments::enumeration(JNIEnv* env, const Method& fromInt, int value) {
    LocalRef<jclass> cls(env, env->FindClass(fromInt.className));
    if (clearPendingException(env) || !cls)
        return nullptr;
    jmethodID method = env->GetStaticMethodID(cls.get(), fromInt.name, fromInt.signature);
    if (clearPendingException(env) || !method)
        return nullptr;
    jvalue arg;
    arg.i = value;
    jobject constant = env->CallStaticObjectMethodA(cls.get(), method, &arg);
    if (clearPendingException(env))
        return nullptr;
    return constant;
}

jobject ClientArguments::buffer(JNIEnv* env, const void* data, jlong size) {
    if (size < 0)
        return nullptr;
    // A zero-length region still needs an address the runtime accepts.
    static char empty;
    void* address = size == 0 ? &empty : const_cast<void*>(data);
    jobject buffer = env->NewDirectByteBuffer(address, size);
    if (clearPendingException(env))
        return nullptr;
    return buffer;
}

} // namespace viewlink
