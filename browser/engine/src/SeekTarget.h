#pragma once

#include <optional>

#include "cef_types.h"

// The position a seek leads to, or nothing when it would leave [0, size] or
// whence is unknown.
std::optional<int64> seekTarget(int64 offset, int whence, int64 position, int64 size);
