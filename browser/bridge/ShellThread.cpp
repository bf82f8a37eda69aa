#include "browser/bridge/ShellThread.h"

#include <system_error>
#include <thread>

namespace viewlink {

void ShellThread::run(const std::function<void()>& work) {
    try {
        std::thread shell([&work] {
            try {
                work();
            } catch (...) {
                // A shell failure is not reported to the client.
            }
        });
        shell.join();
    } catch (const std::system_error&) {
        // The thread could not be started: nothing happens.
    }
}

} // namespace viewlink
