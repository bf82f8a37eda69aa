#pragma once

#include <optional>
#include <string>

// What the desktop shell is asked to do with a file or web address: the
// operation ("open" when absent), the target, arguments, a working folder and
// how a window should show.
struct ShellRequest {
    std::optional<std::u16string> operation;
    std::u16string file;
    std::optional<std::u16string> parameters;
    std::optional<std::u16string> directory;
    int showCommand = 1;
};
