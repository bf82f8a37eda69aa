#pragma once

#include <cstdint>

// A stand-in for the window toolkit's native interface, linked into the test
// program (JAWT_GetAWT is found there by the bridge). Every canvas has the
// window FakeToolkit::Window; a lock can be made to fail.
struct FakeToolkit {
    static constexpr std::uintptr_t Window = 0x5A5A01;
    static inline bool failLock = false;
    static inline int locks = 0;
    static inline int unlocks = 0;
    static inline int surfacesFreed = 0;
    static inline int infosFreed = 0;

    static void reset() {
        failLock = false;
        locks = unlocks = surfacesFreed = infosFreed = 0;
    }
};
