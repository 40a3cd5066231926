#include "setup/delete_file_if_present.h"

#include <windows.h>

#include "common/system_error.h"

void DeleteFileIfPresent(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return;
    if (!DeleteFileA(path.c_str())) ThrowSystemError(path, 0);
}
