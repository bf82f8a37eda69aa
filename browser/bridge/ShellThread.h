#pragma once

#include <functional>

namespace viewlink {

// Runs desktop-shell work on a thread of its own (with the shell's own
// initialisation there) and waits for it. The calling client thread may
// already use the shell in another mode, so the work never runs on it. When
// no thread can be started nothing happens.
class ShellThread {
public:
    static void run(const std::function<void()>& work);
};

} // namespace viewlink
