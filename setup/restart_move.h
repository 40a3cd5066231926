// Renames and deletions deferred to the next restart of Windows: through the system's delayed
// move where it offers one (Windows NT), else as lines of WinInit.Ini (Windows 95/98).
#pragma once

#include <windows.h>

#include <string>

// The target that stands for "delete the file".
inline constexpr char kDeleteAtRestart[] = "NUL";

// Registers the rename of existing to target, or its deletion when target is "NUL". Both are
// named by their short names. A missing existing file is skipped for a deletion; for a rename,
// a missing file or target throws "<existing> : ファイルが存在しないためコピーできません".
void MoveFileAtRestart(const std::string& existing, const std::string& target);

// Registers that at the restart target is deleted and then replacement takes its name. On both
// paths the deletion is carried out first.
void ReplaceFileAtRestart(const std::string& replacement, const std::string& target);

// The system's delayed move, MoveFileExA's signature; tests put one in that refuses, as
// Windows 95/98 do, and get back the one before.
using DelayedMove = BOOL(WINAPI*)(const char* existing, const char* newName, DWORD flags);
DelayedMove ReplaceDelayedMove(DelayedMove move);
