#include "common/directory_tree.h"

#include <windows.h>

#include <stdexcept>

#include "common/directory_level.h"
#include "common/system_error.h"

namespace {

enum class Failures { kThrow, kIgnore };

void CreateTree(const std::string& path, Failures failures) {
    const DirectoryLevel level = DirectoryLevelOf(path);
    if (level.entry.empty()) return;  // C:, C:\, a bare name, or nothing

    const DWORD attributes = GetFileAttributesA(level.entry.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        CreateTree(level.parent, failures);  // parents first
        if (CreateDirectoryA(path.c_str(), nullptr)) return;
        if (failures == Failures::kThrow) ThrowSystemError(path, 0);
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return;
    if (failures == Failures::kThrow) {
        throw std::runtime_error(level.entry + " : フォルダではありません.");
    }
}

}  // namespace

void CreateDirectoryTree(const std::string& path) { CreateTree(path, Failures::kThrow); }

void CreateDirectoryTreeQuietly(const std::string& path) { CreateTree(path, Failures::kIgnore); }
