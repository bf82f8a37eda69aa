#pragma once

#include <mutex>

#include "cef_request.h"

// A request value: plain data guarded by its own lock, so that the handler
// threads and the caller's threads may share it.
class RequestImpl : public CefRequest {
public:
    CefString GetURL() override;
    void SetURL(const CefString& url) override;
    CefString GetMethod() override;
    void SetMethod(const CefString& method) override;
    CefRefPtr<CefPostData> GetPostData() override;
    void SetPostData(CefRefPtr<CefPostData> postData) override;
    void GetHeaderMap(HeaderMap& headerMap) override;
    void SetHeaderMap(const HeaderMap& headerMap) override;
    void Set(const CefString& url, const CefString& method, CefRefPtr<CefPostData> postData,
             const HeaderMap& headerMap) override;
    int GetFlags() override;
    void SetFlags(int flags) override;
    CefString GetFirstPartyForCookies() override;
    void SetFirstPartyForCookies(const CefString& url) override;

private:
    std::mutex lock_;
    CefString url_;
    CefString method_{"GET"};
    CefRefPtr<CefPostData> postData_;
    HeaderMap headers_;
    int flags_ = WUR_FLAG_NONE;
    CefString firstPartyForCookies_;

    IMPLEMENT_REFCOUNTING(RequestImpl)
};
