// Test helper: what a shortcut file says, read back through the shell's link object.
#pragma once

#include <windows.h>

#include <string>

namespace hr::test {

struct ShellLinkContents {
    bool loaded = false;
    std::string target, description, arguments, workingFolder, iconPath;
    int iconIndex = 0;
    int showCommand = 0;
    WORD hotkey = 0;
};

ShellLinkContents ReadShellLink(const std::string& linkPath);

}  // namespace hr::test
