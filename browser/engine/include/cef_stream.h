// Readers over memory, files or caller-supplied handlers.
#pragma once

#include <cstddef>

#include "cef_base.h"
#include "cef_export.h"
#include "cef_types.h"

// Reading side implemented outside the engine, for CreateForHandler.
class CefReadHandler : public virtual CefBase {
public:
    virtual std::size_t Read(void* ptr, std::size_t size, std::size_t n) = 0;
    virtual int Seek(int64 offset, int whence) = 0;
    virtual int64 Tell() = 0;
    virtual int Eof() = 0;
};

class CefStreamReader : public virtual CefBase {
public:
    // Reader over a file; null when the file cannot be opened.
    CEF_EXPORT static CefRefPtr<CefStreamReader> CreateForFile(const CefString& fileName);
    // Reader over a copy of the given bytes.
    CEF_EXPORT static CefRefPtr<CefStreamReader> CreateForData(const void* data, std::size_t size);
    CEF_EXPORT static CefRefPtr<CefStreamReader>
    CreateForHandler(CefRefPtr<CefReadHandler> handler);

    // Reads up to n items of size bytes into ptr; returns the number of whole
    // items read.
    virtual std::size_t Read(void* ptr, std::size_t size, std::size_t n) = 0;
    // Moves the position (whence is SEEK_SET, SEEK_CUR or SEEK_END); 0 on
    // success, non-zero when the position would leave the stream.
    virtual int Seek(int64 offset, int whence) = 0;
    virtual int64 Tell() = 0;
    // Non-zero at the end of the stream.
    virtual int Eof() = 0;
};
