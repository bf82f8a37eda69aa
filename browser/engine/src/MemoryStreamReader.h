#pragma once

#include <mutex>
#include <vector>

#include "cef_stream.h"

// Reads a private copy of a block of bytes.
class MemoryStreamReader : public CefStreamReader {
public:
    MemoryStreamReader(const void* data, std::size_t size);

    std::size_t Read(void* ptr, std::size_t size, std::size_t n) override;
    int Seek(int64 offset, int whence) override;
    int64 Tell() override;
    int Eof() override;

private:
    std::mutex lock_;
    std::vector<unsigned char> data_;
    std::size_t position_ = 0;

    IMPLEMENT_REFCOUNTING(MemoryStreamReader)
};
