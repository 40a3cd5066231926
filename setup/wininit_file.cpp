#include "setup/wininit_file.h"

#include <windows.h>

#include "common/system_error.h"
#include "common/win_handles.h"
#include "setup/file_mapping.h"
#include "setup/wininit_rename.h"

namespace {

void SetFileSize(HANDLE file, DWORD size, const std::string& path) {
    if (SetFilePointer(file, static_cast<LONG>(size), nullptr, FILE_BEGIN) ==
            INVALID_SET_FILE_POINTER ||
        !SetEndOfFile(file)) {
        ThrowSystemError(path, 0);
    }
}

}  // namespace

std::string WinInitPath() {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\WinInit.Ini";
}

void AddWinInitRequest(const std::string& newName, const std::string& existing) {
    const std::string line = RenameLine(newName, existing);
    const std::string path = WinInitPath();
    // No sharing: nobody changes the file between the search and the write.
    const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) ThrowSystemError(path, 0);

    const DWORD size = GetFileSize(file.Get(), nullptr);
    if (size == INVALID_FILE_SIZE) ThrowSystemError(path, 0);
    // Mapping more than the file holds grows it, with zero bytes: room for the line and a header.
    const DWORD editSize = static_cast<DWORD>(RenameEditSize(size, line.size()));
    std::size_t newSize = size;
    {
        ScopedFileMapping mapping(
            CreateFileMappingA(file.Get(), nullptr, PAGE_READWRITE, 0, editSize, nullptr));
        if (!mapping) ThrowSystemError("CreateFileMapping", 0);
        ScopedMappedView view(MapViewOfFile(mapping.Get(), FILE_MAP_WRITE, 0, 0, 0));
        if (!view) {
            const DWORD error = GetLastError();
            mapping.Reset();
            SetFileSize(file.Get(), size, path);  // the file as it was, without the zero bytes
            ThrowSystemError("MapViewOfFile", error);
        }
        newSize = InsertRenameLine(static_cast<char*>(view.Get()), size, line);
    }
    SetFileSize(file.Get(), static_cast<DWORD>(newSize), path);
}
