// Requests for the next restart as Windows 95/98 take them: lines "<new name>=<existing name>"
// in the "[Rename]" section of WinInit.Ini, where the new name "NUL" deletes the file. Pure byte
// work, so that the edit can be checked without Windows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

inline constexpr std::string_view kRenameHeader = "[Rename]\r\n";
inline constexpr std::string_view kLineBreak = "\r\n";

// "<newName>=<existing>\r\n".
std::string RenameLine(const std::string& newName, const std::string& existing);

// The bytes an edit may need: the file, then room for a line break that ends its last line, a
// header of its own and the line.
std::size_t RenameEditSize(std::size_t fileSize, std::size_t lineLength);

// Puts line at the top of the "[Rename]" section of the file held in view, whose first fileSize
// bytes are the file and whose next RenameEditSize(fileSize, line.size()) - fileSize bytes are
// zero. Only the exact header "[Rename]\r\n" counts, found as in a zero-terminated text; without
// it a header of its own and the line are appended, on a line of their own. Gives the file's new
// size.
std::size_t InsertRenameLine(char* view, std::size_t fileSize, std::string_view line);
