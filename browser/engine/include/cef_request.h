// A web request: URL, method, headers and body.
#pragma once

#include <cstddef>
#include <vector>

#include "cef_base.h"
#include "cef_export.h"
#include "cef_string.h"
#include "cef_types.h"

class CefPostData;
class CefPostDataElement;

class CefRequest : public virtual CefBase {
public:
    // Header names to values; ordered by the names' UTF-16 code units, several
    // values of one name kept in the order they were added.
    using HeaderMap = CefStringMultimap;

    CEF_EXPORT static CefRefPtr<CefRequest> Create();

    virtual CefString GetURL() = 0;
    virtual void SetURL(const CefString& url) = 0;
    virtual CefString GetMethod() = 0;
    virtual void SetMethod(const CefString& method) = 0;
    virtual CefRefPtr<CefPostData> GetPostData() = 0;
    virtual void SetPostData(CefRefPtr<CefPostData> postData) = 0;
    virtual void GetHeaderMap(HeaderMap& headerMap) = 0;
    virtual void SetHeaderMap(const HeaderMap& headerMap) = 0;
    virtual void Set(const CefString& url, const CefString& method, CefRefPtr<CefPostData> postData,
                     const HeaderMap& headerMap) = 0;
    // cef_weburlrequest_flags_t values.
    virtual int GetFlags() = 0;
    virtual void SetFlags(int flags) = 0;
    virtual CefString GetFirstPartyForCookies() = 0;
    virtual void SetFirstPartyForCookies(const CefString& url) = 0;
};

// Body of a request: a list of elements.
class CefPostData : public virtual CefBase {
public:
    using ElementVector = std::vector<CefRefPtr<CefPostDataElement>>;

    CEF_EXPORT static CefRefPtr<CefPostData> Create();

    virtual std::size_t GetElementCount() = 0;
    virtual void GetElements(ElementVector& elements) = 0;
    // False when the element is not part of this body.
    virtual bool RemoveElement(CefRefPtr<CefPostDataElement> element) = 0;
    // False when the element is already part of this body.
    virtual bool AddElement(CefRefPtr<CefPostDataElement> element) = 0;
    virtual void RemoveElements() = 0;
};

// One part of a request body: bytes or a file.
class CefPostDataElement : public virtual CefBase {
public:
    CEF_EXPORT static CefRefPtr<CefPostDataElement> Create();

    virtual void SetToEmpty() = 0;
    virtual void SetToFile(const CefString& fileName) = 0;
    virtual void SetToBytes(std::size_t size, const void* bytes) = 0;
    virtual cef_postdataelement_type_t GetType() = 0;
    virtual CefString GetFile() = 0;
    virtual std::size_t GetBytesCount() = 0;
    // Copies up to size bytes; returns how many were copied.
    virtual std::size_t GetBytes(std::size_t size, void* bytes) = 0;
};
