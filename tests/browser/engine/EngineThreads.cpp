#include "EngineThreads.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace EngineThreads {

bool anyRunning() {
    namespace fs = std::filesystem;
    std::error_code error;
    for (const auto& task : fs::directory_iterator("/proc/self/task", error)) {
        std::ifstream comm(task.path() / "comm");
        std::string name;
        if (std::getline(comm, name) && name.rfind("engine-", 0) == 0)
            return true;
    }
    return false;
}

} // namespace EngineThreads
