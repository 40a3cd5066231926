#include "bar/store/exe_file_name.h"

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string ExeFileName(std::string_view path, bool (*isLeadByte)(unsigned char)) {
    std::size_t start = 0;
    bool hasBackslash = false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        const auto byte = static_cast<unsigned char>(path[i]);
        if (isLeadByte(byte)) {
            ++i;  // its trail byte belongs to the same character
            continue;
        }
        if (byte == '\\') {
            start = i + 1;
            hasBackslash = true;
        }
    }
    if (!hasBackslash && path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':') start = 2;
    return std::string(path.substr(start));
}
