// The bar program's path splitter: drive, directory, base name and extension, as the data
// file's location needs them. Only '\' separates (the module path Windows gives never holds
// '/'); a '\' that is the second byte of a Shift-JIS character does not.
//
//   C:\Tools\Hintrail\Hintrail.exe  ->  "C:"  "\Tools\Hintrail\"  "Hintrail"  ".exe"
#pragma once

#include <string>
#include <string_view>

struct PathParts {
    explicit PathParts(std::string_view path);

    // The same path with `extension` (dot included) in place of its own; appended when the
    // file name has none.
    std::string WithExtension(std::string_view extension) const;

    std::string drive;      // "C:"; "\" for a path that starts with "\\"; else ""
    std::string directory;  // after the drive, up to and including the last '\'
    std::string baseName;   // the file name up to its last '.'
    std::string extension;  // from the file name's last '.', or ""
};
