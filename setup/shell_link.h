// Shortcut files (.lnk) made through the shell's link object.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// Bits of ShellLinkSpec::linkMask: which fields besides the target are applied.
enum : std::uint32_t {
    kLinkDescription = 0x01,
    kLinkArguments = 0x02,
    kLinkIcon = 0x04,
    kLinkWorkingFolder = 0x08,
    kLinkHotkey = 0x10,
    kLinkShowCommand = 0x20,
};

// One shortcut. The caller owns the texts; start from {} so that fields not applied are zero.
struct ShellLinkSpec {
    const char* linkTarget;
    std::uint32_t linkMask;
    const char* linkDescription;
    const char* linkArguments;
    const char* linkIconPath;
    std::int32_t linkIconIndex;
    const char* linkWorkingFolder;
    std::int32_t linkShowCommand;  // SW_ value
    std::uint16_t linkHotkey;      // virtual key in the low byte, modifiers in the high byte
};

// Writes the shortcut file linkPath, replacing one of that name. The result is that of the
// last of creating the link object, asking it for IPersistFile and saving that ran.
HRESULT CreateShellLink(const std::string& linkPath, const ShellLinkSpec& spec);
