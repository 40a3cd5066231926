// The user's shell folders, where the shortcuts go, as the registry names them.
#pragma once

#include <string>

#include "common/registry_key.h"

inline constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The key under HKEY_CURRENT_USER, opened with full access; throws "<key path> : <system text>".
RegistryKey OpenShellFolders();

// "Hintrail.lnk" in the folder named by the value ("Programs", "Startup"); throws as above
// when the value cannot be read.
std::string ShortcutPathIn(const RegistryKey& shellFolders, const char* valueName);
