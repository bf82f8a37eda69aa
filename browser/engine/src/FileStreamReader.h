#pragma once

#include <cstdio>
#include <memory>
#include <mutex>

#include "cef_stream.h"

// Reads a file opened for reading at construction.
class FileStreamReader : public CefStreamReader {
public:
    // Null when the file cannot be opened.
    static CefRefPtr<CefStreamReader> open(const CefString& fileName);

    std::size_t Read(void* ptr, std::size_t size, std::size_t n) override;
    int Seek(int64 offset, int whence) override;
    int64 Tell() override;
    int Eof() override;

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    explicit FileStreamReader(std::unique_ptr<std::FILE, Closer> file);

    std::mutex lock_;
    std::unique_ptr<std::FILE, Closer> file_;

    IMPLEMENT_REFCOUNTING(FileStreamReader)
};
