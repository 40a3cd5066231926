#include "bar/store/identify_window.h"

#include <tlhelp32.h>

#include <cstring>

#include "bar/store/exe_file_name.h"
#include "common/win_handles.h"

namespace {

// Lead bytes of the ANSI code page, which is what both sources write names in.
bool IsAnsiLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

std::string QueriedExePath(DWORD processId) {
    const ScopedObject process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, processId));
    if (!process) return {};
    // A process that has ended can still be opened while a handle to it is left, but is no
    // longer in a snapshot: leave its name to the snapshot, as before.
    if (WaitForSingleObject(process.Get(), 0) != WAIT_TIMEOUT) return {};
    // The snapshot's name field holds 259 bytes. A path that fits this buffer has a file name
    // that fits there too; a longer one fails here and its name, perhaps cut short, comes from
    // the snapshot as before.
    char path[MAX_PATH] = {};
    DWORD size = sizeof(path);
    if (!QueryFullProcessImageNameA(process.Get(), 0, path, &size)) return {};
    return std::string(path, size);
}

std::string ProcessExePath(DWORD processId) {
    const ScopedFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, processId));
    if (!snapshot) return {};
    PROCESSENTRY32 entry{sizeof(entry)};  // 296 bytes on i686
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID != processId) continue;
        return std::string(entry.szExeFile, strnlen(entry.szExeFile, sizeof(entry.szExeFile)));
    }
    return {};
}

std::string ProcessExeName(DWORD processId) {
    std::string path = QueriedExePath(processId);
    if (path.empty()) path = ProcessExePath(processId);
    return ExeFileName(path, IsAnsiLeadByte);
}

ApplicationKey IdentifyWindow(HWND window) {
    char className[256] = {};
    GetClassNameA(window, className, sizeof(className));
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return {className, ProcessExeName(processId)};
}
