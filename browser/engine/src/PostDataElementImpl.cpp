#include "PostDataElementImpl.h"

#include <algorithm>
#include <cstring>

CefRefPtr<CefPostDataElement> CefPostDataElement::Create() {
    return new PostDataElementImpl();
}

void PostDataElementImpl::SetToEmpty() {
    std::lock_guard guard(lock_);
    type_ = PDE_TYPE_EMPTY;
    file_.clear();
    bytes_.clear();
}

void PostDataElementImpl::SetToFile(const CefString& fileName) {
    std::lock_guard guard(lock_);
    type_ = PDE_TYPE_FILE;
    file_ = fileName;
    bytes_.clear();
}

void PostDataElementImpl::SetToBytes(std::size_t size, const void* bytes) {
    std::lock_guard guard(lock_);
    type_ = PDE_TYPE_BYTES;
    file_.clear();
    const auto* first = static_cast<const unsigned char*>(bytes);
    if (first)
        bytes_.assign(first, first + size);
    else
        bytes_.clear();
}

cef_postdataelement_type_t PostDataElementImpl::GetType() {
    std::lock_guard guard(lock_);
    return type_;
}

CefString PostDataElementImpl::GetFile() {
    std::lock_guard guard(lock_);
    return file_;
}

std::size_t PostDataElementImpl::GetBytesCount() {
    std::lock_guard guard(lock_);
    return bytes_.size();
}

std::size_t PostDataElementImpl::GetBytes(std::size_t size, void* bytes) {
    std::lock_guard guard(lock_);
    const std::size_t count = std::min(size, bytes_.size());
    if (count > 0 && bytes)
        std::memcpy(bytes, bytes_.data(), count);
    return bytes ? count : 0;
}
