#include "bar/datafile/path_parts.h"

#include "common/shift_jis.h"

PathParts::PathParts(std::string_view path) {
    const std::size_t n = path.size();
    std::size_t driveEnd = 0;
    if (n >= 2 && path[1] == ':') {
        driveEnd = 2;
    } else if (n >= 2 && path[0] == '\\' && path[1] == '\\') {
        driveEnd = 1;
    }
    std::size_t nameStart = driveEnd;
    std::size_t extensionStart = n;
    for (std::size_t i = driveEnd; i < n; ++i) {
        if (IsShiftJisLeadByte(static_cast<unsigned char>(path[i]))) {
            ++i;  // its trail byte may be 0x5C; '.' is never a trail byte
        } else if (path[i] == '\\') {
            nameStart = i + 1;
            extensionStart = n;
        } else if (path[i] == '.') {
            extensionStart = i;
        }
    }
    drive = path.substr(0, driveEnd);
    directory = path.substr(driveEnd, nameStart - driveEnd);
    baseName = path.substr(nameStart, extensionStart - nameStart);
    extension = path.substr(extensionStart);
}

std::string PathParts::WithExtension(std::string_view newExtension) const {
    std::string path = drive + directory + baseName;
    path += newExtension;
    return path;
}
