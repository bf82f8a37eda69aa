#include "FileStreamReader.h"

#include <sys/stat.h>

FileStreamReader::FileStreamReader(std::unique_ptr<std::FILE, Closer> file)
    : file_(std::move(file)) {}

CefRefPtr<CefStreamReader> FileStreamReader::open(const CefString& fileName) {
    if (fileName.empty())
        return nullptr;
    std::unique_ptr<std::FILE, Closer> file(std::fopen(fileName.ToString().c_str(), "rb"));
    if (!file)
        return nullptr;
    // A folder opens on some systems but cannot be read as a stream.
    struct stat info {};
    if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode))
        return nullptr;
    return new FileStreamReader(std::move(file));
}

std::size_t FileStreamReader::Read(void* ptr, std::size_t size, std::size_t n) {
    if (!ptr || size == 0)
        return 0;
    std::lock_guard guard(lock_);
    return std::fread(ptr, size, n, file_.get());
}

int FileStreamReader::Seek(int64 offset, int whence) {
    std::lock_guard guard(lock_);
    return fseeko(file_.get(), static_cast<off_t>(offset), whence) == 0 ? 0 : -1;
}

int64 FileStreamReader::Tell() {
    std::lock_guard guard(lock_);
    return static_cast<int64>(ftello(file_.get()));
}

int FileStreamReader::Eof() {
    std::lock_guard guard(lock_);
    // feof only turns true after a read hit the end; compare with the size so
    // that a reader positioned at the end reports it at once.
    const off_t position = ftello(file_.get());
    struct stat info {};
    if (fstat(fileno(file_.get()), &info) != 0)
        return 1;
    return position >= info.st_size ? 1 : 0;
}

CefRefPtr<CefStreamReader> CefStreamReader::CreateForFile(const CefString& fileName) {
    return FileStreamReader::open(fileName);
}
