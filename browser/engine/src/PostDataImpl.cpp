#include "PostDataImpl.h"

#include <algorithm>

CefRefPtr<CefPostData> CefPostData::Create() {
    return new PostDataImpl();
}

std::size_t PostDataImpl::GetElementCount() {
    std::lock_guard guard(lock_);
    return elements_.size();
}

void PostDataImpl::GetElements(ElementVector& elements) {
    std::lock_guard guard(lock_);
    elements = elements_;
}

bool PostDataImpl::RemoveElement(CefRefPtr<CefPostDataElement> element) {
    std::lock_guard guard(lock_);
    const auto found = std::find_if(elements_.begin(), elements_.end(),
                                    [&](const auto& e) { return e.get() == element.get(); });
    if (found == elements_.end())
        return false;
    elements_.erase(found);
    return true;
}

bool PostDataImpl::AddElement(CefRefPtr<CefPostDataElement> element) {
    if (!element)
        return false;
    std::lock_guard guard(lock_);
    const bool present = std::any_of(elements_.begin(), elements_.end(),
                                     [&](const auto& e) { return e.get() == element.get(); });
    if (present)
        return false;
    elements_.push_back(element);
    return true;
}

void PostDataImpl::RemoveElements() {
    std::lock_guard guard(lock_);
    elements_.clear();
}
