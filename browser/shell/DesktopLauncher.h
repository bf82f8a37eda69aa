#pragma once

#include "ShellRequest.h"

// Hands a file or web address to the desktop. On Windows this is the shell's
// execute operation; elsewhere the desktop opener `xdg-open` is started
// directly with the target as its one argument (no shell is involved, so no
// character in the target has a meaning of its own).
class DesktopLauncher {
public:
    // True when the shell accepted the request (elsewhere: when the opener
    // process started). Operations other than opening are not offered
    // outside Windows and answer false.
    static bool execute(const ShellRequest& request);
    static bool open(const std::u16string& target);
};
