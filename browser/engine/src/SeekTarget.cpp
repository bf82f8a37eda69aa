#include "SeekTarget.h"

#include <cstdio>

std::optional<int64> seekTarget(int64 offset, int whence, int64 position, int64 size) {
    int64 base = 0;
    switch (whence) {
    case SEEK_SET:
        base = 0;
        break;
    case SEEK_CUR:
        base = position;
        break;
    case SEEK_END:
        base = size;
        break;
    default:
        return std::nullopt;
    }
    // Checked so that extreme offsets cannot overflow.
    if ((offset > 0 && base > size - offset) || (offset < 0 && base < -offset))
        return std::nullopt;
    return base + offset;
}
