// A web response as the engine reports it to the request handler.
#pragma once

#include "cef_base.h"
#include "cef_export.h"
#include "cef_string.h"

class CefResponse : public virtual CefBase {
public:
    using HeaderMap = CefStringMultimap;

    CEF_EXPORT static CefRefPtr<CefResponse> Create();

    virtual int GetStatus() = 0;
    virtual void SetStatus(int status) = 0;
    virtual CefString GetStatusText() = 0;
    virtual void SetStatusText(const CefString& statusText) = 0;
    virtual CefString GetMimeType() = 0;
    virtual void SetMimeType(const CefString& mimeType) = 0;
    // Value of the first header of that name (names compared ignoring case),
    // or an empty string.
    virtual CefString GetHeader(const CefString& name) = 0;
    virtual void GetHeaderMap(HeaderMap& headerMap) = 0;
    virtual void SetHeaderMap(const HeaderMap& headerMap) = 0;
};
