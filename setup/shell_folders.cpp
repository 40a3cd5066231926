#include "setup/shell_folders.h"

#include "common/pathname.h"
#include "common/system_error.h"

RegistryKey OpenShellFolders() {
    RegistryKey key;
    const LONG status = key.Open(HKEY_CURRENT_USER, kShellFoldersKey, KEY_ALL_ACCESS);
    if (status != ERROR_SUCCESS) ThrowSystemError(kShellFoldersKey, static_cast<DWORD>(status));
    return key;
}

std::string ShortcutPathIn(const RegistryKey& shellFolders, const char* valueName) {
    char folder[MAX_PATH + 1] = {};  // one more: a value that fills the buffer still ends
    DWORD size = MAX_PATH;
    const LONG status = shellFolders.QueryValue(folder, valueName, &size);
    if (status != ERROR_SUCCESS) ThrowSystemError(kShellFoldersKey, static_cast<DWORD>(status));
    PathName path(folder);
    path.EnsureTrailingSeparator();
    return path.Part(PathName::kWhole) + "Hintrail.lnk";
}
