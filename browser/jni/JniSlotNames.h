#pragma once

#include <jni.h>

#include <array>
#include <cstddef>

namespace plenfox::jni {

// The interface table is a run of pointers: reserved slots, then functions.
inline constexpr std::size_t JniSlotCount = sizeof(JNINativeInterface_) / sizeof(void*);

extern const std::array<const char*, JniSlotCount> JniSlotNames;

} // namespace plenfox::jni
