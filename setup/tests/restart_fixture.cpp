#include "restart_fixture.h"

#include <windows.h>

#include "setup/wininit_file.h"
#include "setup_files.h"

namespace hr::test {

namespace {

BOOL WINAPI RefusingDelayedMove(const char*, const char*, DWORD) {
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

void ForgetWinInit() {
    DeleteFileA(WinInitPath().c_str());
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    DeleteFileA((std::string(windows) + "\\wininit.bak").c_str());  // what a restart leaves
}

}  // namespace

RestartTest::RestartTest() {
    ClearPendingRenames();
    ForgetWinInit();
}

RestartTest::~RestartTest() {
    if (systemMove_ != nullptr) ReplaceDelayedMove(systemMove_);
    ClearPendingRenames();
    ForgetWinInit();
}

void RestartTest::RefuseDelayedMoves() { systemMove_ = ReplaceDelayedMove(RefusingDelayedMove); }

std::string RestartTest::File(const std::string& name, const std::string& bytes) {
    WriteBytes(Path(name), bytes);
    return Path(name);
}

std::string RestartTest::Listed(const std::string& path) { return "\\??\\" + ShortPath(path); }

std::string RestartTest::WinInit() { return ReadBytes(WinInitPath()); }

}  // namespace hr::test
