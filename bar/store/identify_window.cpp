#include "bar/store/identify_window.h"

#include <tlhelp32.h>

#include <cstring>
#include <memory>

#include "bar/store/exe_file_name.h"

namespace {

struct SnapshotCloser {
    void operator()(HANDLE snapshot) const { CloseHandle(snapshot); }
};
using ScopedSnapshot = std::unique_ptr<void, SnapshotCloser>;

// Lead bytes of the ANSI code page, which is what the snapshot's names are written in.
bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

std::string ProcessExePath(DWORD processId) {
    HANDLE handle = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, processId);
    if (handle == INVALID_HANDLE_VALUE) return {};
    const ScopedSnapshot snapshot(handle);
    PROCESSENTRY32 entry{sizeof(entry)};  // 296 bytes on i686
    for (BOOL more = Process32First(handle, &entry); more; more = Process32Next(handle, &entry)) {
        if (entry.th32ProcessID != processId) continue;
        return std::string(entry.szExeFile, strnlen(entry.szExeFile, sizeof(entry.szExeFile)));
    }
    return {};
}

ApplicationKey IdentifyWindow(HWND window) {
    char className[256] = {};
    GetClassNameA(window, className, sizeof(className));
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return {className, ExeFileName(ProcessExePath(processId), IsAnsiLeadByte)};
}
