#pragma once

#include "cef_stream.h"

// Forwards every read to a handler supplied by the caller.
class HandlerStreamReader : public CefStreamReader {
public:
    explicit HandlerStreamReader(CefRefPtr<CefReadHandler> handler) : handler_(handler) {}

    std::size_t Read(void* ptr, std::size_t size, std::size_t n) override {
        return handler_->Read(ptr, size, n);
    }
    int Seek(int64 offset, int whence) override { return handler_->Seek(offset, whence); }
    int64 Tell() override { return handler_->Tell(); }
    int Eof() override { return handler_->Eof(); }

private:
    CefRefPtr<CefReadHandler> handler_;

    IMPLEMENT_REFCOUNTING(HandlerStreamReader)
};
