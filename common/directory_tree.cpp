#include "common/directory_tree.h"

#include <windows.h>

#include <stdexcept>

#include "common/pathname.h"
#include "common/system_error.h"

namespace {

enum class Failures { kThrow, kIgnore };

void CreateTree(const std::string& path, Failures failures) {
    PathName folder(path);
    if (!folder.Part(PathName::kDirectory).empty() && folder.Part(PathName::kFileName).empty() &&
        path.back() == '\\') {
        folder = path.substr(0, path.size() - 1);  // unlike RemoveTrailingSeparator, C:\ too
    }
    if (folder.Part(PathName::kDirectory).empty()) return;  // C:, a bare name, or nothing

    const DWORD attributes = GetFileAttributesA(folder.Text().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        CreateTree(folder.Part(PathName::kFolder), failures);  // parents first
        if (CreateDirectoryA(path.c_str(), nullptr)) return;
        if (failures == Failures::kThrow) ThrowSystemError(path, 0);
        return;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return;
    if (failures == Failures::kThrow) {
        throw std::runtime_error(folder.Text() + " : フォルダではありません.");
    }
}

}  // namespace

void CreateDirectoryTree(const std::string& path) { CreateTree(path, Failures::kThrow); }

void CreateDirectoryTreeQuietly(const std::string& path) { CreateTree(path, Failures::kIgnore); }
