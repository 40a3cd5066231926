#include "setup/wininit_rename.h"

#include <cstring>

std::string RenameLine(const std::string& newName, const std::string& existing) {
    return newName + "=" + existing + "\r\n";
}

std::size_t RenameEditSize(std::size_t fileSize, std::size_t lineLength) {
    return fileSize + kLineBreak.size() + kRenameHeader.size() + lineLength;
}

std::size_t InsertRenameLine(char* view, std::size_t fileSize, std::string_view line) {
    // Windows reads the file as text: whatever follows a zero byte is not looked at.
    const std::string_view text(view, strnlen(view, fileSize));
    const std::size_t header = text.find(kRenameHeader);
    if (header == std::string_view::npos) {
        std::size_t end = fileSize;
        // A last line without its line end would swallow the header, and the request with it.
        if (text.size() == fileSize && !text.empty() && text.back() != '\n') {
            std::memcpy(view + end, kLineBreak.data(), kLineBreak.size());
            end += kLineBreak.size();
        }
        std::memcpy(view + end, kRenameHeader.data(), kRenameHeader.size());
        std::memcpy(view + end + kRenameHeader.size(), line.data(), line.size());
        return end + kRenameHeader.size() + line.size();
    }
    // Each new line goes first, so that the section lists requests newest first.
    const std::size_t insertAt = text.find('\n', header) + 1;
    std::memmove(view + insertAt + line.size(), view + insertAt, fileSize - insertAt);
    std::memcpy(view + insertAt, line.data(), line.size());
    return fileSize + line.size();
}
