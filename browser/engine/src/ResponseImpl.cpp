#include "ResponseImpl.h"

namespace {

char16_t foldAscii(char16_t unit) {
    return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit - u'A' + u'a') : unit;
}

// Header names are compared ignoring ASCII case, as HTTP defines them.
bool sameHeaderName(const CefString& a, const CefString& b) {
    if (a.length() != b.length())
        return false;
    for (std::size_t i = 0; i < a.length(); ++i) {
        if (foldAscii(a.c_str()[i]) != foldAscii(b.c_str()[i]))
            return false;
    }
    return true;
}

} // namespace

CefRefPtr<CefResponse> CefResponse::Create() {
    return new ResponseImpl();
}

int ResponseImpl::GetStatus() {
    std::lock_guard guard(lock_);
    return status_;
}

void ResponseImpl::SetStatus(int status) {
    std::lock_guard guard(lock_);
    status_ = status;
}

CefString ResponseImpl::GetStatusText() {
    std::lock_guard guard(lock_);
    return statusText_;
}

void ResponseImpl::SetStatusText(const CefString& statusText) {
    std::lock_guard guard(lock_);
    statusText_ = statusText;
}

CefString ResponseImpl::GetMimeType() {
    std::lock_guard guard(lock_);
    return mimeType_;
}

void ResponseImpl::SetMimeType(const CefString& mimeType) {
    std::lock_guard guard(lock_);
    mimeType_ = mimeType;
}

CefString ResponseImpl::GetHeader(const CefString& name) {
    std::lock_guard guard(lock_);
    for (const auto& [key, value] : headers_) {
        if (sameHeaderName(key, name))
            return value;
    }
    return {};
}

void ResponseImpl::GetHeaderMap(HeaderMap& headerMap) {
    std::lock_guard guard(lock_);
    headerMap = headers_;
}

void ResponseImpl::SetHeaderMap(const HeaderMap& headerMap) {
    std::lock_guard guard(lock_);
    headers_ = headerMap;
}
