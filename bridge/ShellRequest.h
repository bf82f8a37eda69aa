#pragma once

#include <optional>
#include <string>

namespace viewlink {

// One request to the desktop shell's execute operation: what to do with
// which file. Absent parts are passed to the shell as none.
struct ShellRequest {
    std::optional<std::u16string> operation;
    std::u16string file;
    std::optional<std::u16string> parameters;
    std::optional<std::u16string> directory;
    int showCommand = 0;
};

} // namespace viewlink
