#pragma once

#include <mutex>
#include <vector>

#include "cef_request.h"

// One body part: nothing, bytes, or the name of a file to send.
class PostDataElementImpl : public CefPostDataElement {
public:
    void SetToEmpty() override;
    void SetToFile(const CefString& fileName) override;
    void SetToBytes(std::size_t size, const void* bytes) override;
    cef_postdataelement_type_t GetType() override;
    CefString GetFile() override;
    std::size_t GetBytesCount() override;
    std::size_t GetBytes(std::size_t size, void* bytes) override;

private:
    std::mutex lock_;
    cef_postdataelement_type_t type_ = PDE_TYPE_EMPTY;
    CefString file_;
    std::vector<unsigned char> bytes_;

    IMPLEMENT_REFCOUNTING(PostDataElementImpl)
};
