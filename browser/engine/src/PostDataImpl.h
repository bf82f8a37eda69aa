#pragma once

#include <mutex>

#include "cef_request.h"

// The list of elements of a request body.
class PostDataImpl : public CefPostData {
public:
    std::size_t GetElementCount() override;
    void GetElements(ElementVector& elements) override;
    bool RemoveElement(CefRefPtr<CefPostDataElement> element) override;
    bool AddElement(CefRefPtr<CefPostDataElement> element) override;
    void RemoveElements() override;

private:
    std::mutex lock_;
    ElementVector elements_;

    IMPLEMENT_REFCOUNTING(PostDataImpl)
};
