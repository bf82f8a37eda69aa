#include "MemoryStreamReader.h"

#include <cstdio>
#include <cstring>

#include "SeekTarget.h"

MemoryStreamReader::MemoryStreamReader(const void* data, std::size_t size) {
    const auto* first = static_cast<const unsigned char*>(data);
    if (first)
        data_.assign(first, first + size);
}

std::size_t MemoryStreamReader::Read(void* ptr, std::size_t size, std::size_t n) {
    if (!ptr || size == 0)
        return 0;
    std::lock_guard guard(lock_);
    const std::size_t available = (data_.size() - position_) / size;
    const std::size_t items = n < available ? n : available;
    std::memcpy(ptr, data_.data() + position_, items * size);
    position_ += items * size;
    return items;
}

int MemoryStreamReader::Seek(int64 offset, int whence) {
    std::lock_guard guard(lock_);
    const auto target =
        seekTarget(offset, whence, static_cast<int64>(position_), static_cast<int64>(data_.size()));
    if (!target)
        return -1;
    position_ = static_cast<std::size_t>(*target);
    return 0;
}

int64 MemoryStreamReader::Tell() {
    std::lock_guard guard(lock_);
    return static_cast<int64>(position_);
}

int MemoryStreamReader::Eof() {
    std::lock_guard guard(lock_);
    return position_ >= data_.size() ? 1 : 0;
}

CefRefPtr<CefStreamReader> CefStreamReader::CreateForData(const void* data, std::size_t size) {
    return new MemoryStreamReader(data, size);
}
