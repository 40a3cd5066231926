// Test helpers for the install engine: files with known bytes and times, the system's list of
// requests for the next restart, and the restart itself.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace hr::test {

void WriteBytes(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be read.
std::string ReadBytes(const std::string& path);

// All three times of a file, in the order creation, last access, last write.
struct FileTimes {
    ULONGLONG creation = 0, lastAccess = 0, lastWrite = 0;
};
FileTimes TimesOf(const std::string& path);
void SetLastWriteTime(const std::string& path, ULONGLONG time);

std::string ShortPath(const std::string& path);

// The system's delayed moves, as pairs of names: "\??\" paths, the second "" for a deletion.
std::vector<std::string> PendingRenames();
void ClearPendingRenames();

// Restarts the Wine session's start-up work (wineboot -r): the delayed moves and WinInit.Ini's
// "[Rename]" section are carried out. False when it could not be run to its end.
bool RestartWindows();

}  // namespace hr::test
