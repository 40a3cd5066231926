#include "setup/copy_file_stamped.h"

#include <windows.h>

#include <stdexcept>

#include "common/system_error.h"
#include "common/win_handles.h"
#include "setup/restart_move.h"

namespace {

// One buffer serves every copy of the process.
char copyBuffer[65536];

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;  // a folder counts too
}

void CopyContentAndTime(const std::string& source, const std::string& writeName) {
    const ScopedFile from(CreateFileA(source.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!from) ThrowSystemError(source, 0);
    const ScopedFile to(CreateFileA(writeName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to) ThrowSystemError(writeName, 0);

    for (;;) {
        DWORD read = 0;
        if (!ReadFile(from.Get(), copyBuffer, sizeof(copyBuffer), &read, nullptr)) {
            ThrowSystemError(source, 0);
        }
        if (read == 0) break;
        DWORD written = 0;
        if (!WriteFile(to.Get(), copyBuffer, read, &written, nullptr)) {
            ThrowSystemError(writeName, 0);
        }
        if (written < read) throw std::runtime_error(writeName + " : 書き込めませんでした.");
    }

    FILETIME lastWrite{};
    if (!GetFileTime(from.Get(), nullptr, nullptr, &lastWrite)) ThrowSystemError(source, 0);
    if (!SetFileTime(to.Get(), &lastWrite, &lastWrite, &lastWrite)) ThrowSystemError(writeName, 0);
}

}  // namespace

void CopyFileStamped(const std::string& source, const std::string& target, bool overwrite) {
    const bool targetExists = Exists(target);
    if (targetExists && !overwrite) return;
    // A file in use cannot be overwritten: the copy waits beside it for the restart.
    const std::string writeName = targetExists ? target + "_" : target;
    CopyContentAndTime(source, writeName);
    if (targetExists) ReplaceFileAtRestart(writeName, target);
}
