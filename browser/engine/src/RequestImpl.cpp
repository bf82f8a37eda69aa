#include "RequestImpl.h"

CefRefPtr<CefRequest> CefRequest::Create() {
    return new RequestImpl();
}

CefString RequestImpl::GetURL() {
    std::lock_guard guard(lock_);
    return url_;
}

void RequestImpl::SetURL(const CefString& url) {
    std::lock_guard guard(lock_);
    url_ = url;
}

CefString RequestImpl::GetMethod() {
    std::lock_guard guard(lock_);
    return method_;
}

void RequestImpl::SetMethod(const CefString& method) {
    std::lock_guard guard(lock_);
    method_ = method;
}

CefRefPtr<CefPostData> RequestImpl::GetPostData() {
    std::lock_guard guard(lock_);
    return postData_;
}

void RequestImpl::SetPostData(CefRefPtr<CefPostData> postData) {
    std::lock_guard guard(lock_);
    postData_ = postData;
}

void RequestImpl::GetHeaderMap(HeaderMap& headerMap) {
    std::lock_guard guard(lock_);
    headerMap = headers_;
}

void RequestImpl::SetHeaderMap(const HeaderMap& headerMap) {
    std::lock_guard guard(lock_);
    headers_ = headerMap;
}

void RequestImpl::Set(const CefString& url, const CefString& method,
                      CefRefPtr<CefPostData> postData, const HeaderMap& headerMap) {
    std::lock_guard guard(lock_);
    url_ = url;
    method_ = method;
    postData_ = postData;
    headers_ = headerMap;
}

int RequestImpl::GetFlags() {
    std::lock_guard guard(lock_);
    return flags_;
}

void RequestImpl::SetFlags(int flags) {
    std::lock_guard guard(lock_);
    flags_ = flags;
}

CefString RequestImpl::GetFirstPartyForCookies() {
    std::lock_guard guard(lock_);
    return firstPartyForCookies_;
}

void RequestImpl::SetFirstPartyForCookies(const CefString& url) {
    std::lock_guard guard(lock_);
    firstPartyForCookies_ = url;
}
