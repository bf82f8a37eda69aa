#pragma once

#include <mutex>

#include "cef_response.h"

// A response value guarded by its own lock.
class ResponseImpl : public CefResponse {
public:
    int GetStatus() override;
    void SetStatus(int status) override;
    CefString GetStatusText() override;
    void SetStatusText(const CefString& statusText) override;
    CefString GetMimeType() override;
    void SetMimeType(const CefString& mimeType) override;
    CefString GetHeader(const CefString& name) override;
    void GetHeaderMap(HeaderMap& headerMap) override;
    void SetHeaderMap(const HeaderMap& headerMap) override;

private:
    std::mutex lock_;
    int status_ = 0;
    CefString statusText_;
    CefString mimeType_;
    HeaderMap headers_;

    IMPLEMENT_REFCOUNTING(ResponseImpl)
};
