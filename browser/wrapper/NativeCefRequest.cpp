#include "browser/wrapper/NativeCefRequest.h"

#include "browser/jni/NativeCall.h"

namespace plenfox::cef {

namespace {

std::string native(const char* operation) {
    return std::string("Java_com_plenfox_lib_wrapper_cef_NativeCefRequest_n_1") + operation;
}

} // namespace

void NativeCefRequest::dispose() {
    jni::guardedNative<void>(native("dispose"), *this);
}

std::shared_ptr<CefHeaderMap> NativeCefRequest::getHeaderMap() {
    return jni::guardedNative<std::shared_ptr<CefHeaderMap>>(native("getHeaderMap"), *this);
}

QString NativeCefRequest::getMethod() {
    return jni::guardedNative<QString>(native("getMethod"), *this);
}

std::shared_ptr<CefPostData> NativeCefRequest::getPostData() {
    return jni::guardedNative<std::shared_ptr<CefPostData>>(native("getPostData"), *this);
}

QString NativeCefRequest::getURL() {
    return jni::guardedNative<QString>(native("getURL"), *this);
}

void NativeCefRequest::set(const QString& url, const QString& method,
                           std::shared_ptr<CefPostData> postData,
                           std::shared_ptr<CefHeaderMap> headerMap) {
    jni::guardedNative<void>(native("set"), *this, url, method, postData, headerMap);
}

void NativeCefRequest::setHeaderMap(std::shared_ptr<CefHeaderMap> headerMap) {
    jni::guardedNative<void>(native("setHeaderMap"), *this, headerMap);
}

void NativeCefRequest::setMethod(const QString& method) {
    jni::guardedNative<void>(native("setMethod"), *this, method);
}

void NativeCefRequest::setPostData(std::shared_ptr<CefPostData> postData) {
    jni::guardedNative<void>(native("setPostData"), *this, postData);
}

void NativeCefRequest::setURL(const QString& url) {
    jni::guardedNative<void>(native("setURL"), *this, url);
}

} // namespace plenfox::cef
