#pragma once

namespace viewlink {

// Runs the body of an export and answers fallback when it throws: no C++
// exception may cross into the caller.
template <class T, class Body> T guarded(T fallback, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

template <class Body> void guarded(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

} // namespace viewlink
