// Writing one restart request into WinInit.Ini in the Windows folder, for the systems whose
// delayed move refuses (Windows 95/98 process the "[Rename]" section at their next start).
#pragma once

#include <string>

// The file this edits: the Windows folder followed by "\WinInit.Ini".
std::string WinInitPath();

// Puts "<newName>=<existing>\r\n" at the top of the "[Rename]" section, creating the file or
// the section as needed. Throws std::runtime_error with the message for the user.
void AddWinInitRequest(const std::string& newName, const std::string& existing);
