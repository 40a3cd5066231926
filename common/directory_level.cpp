#include "common/directory_level.h"

#include "common/pathname.h"

DirectoryLevel DirectoryLevelOf(const std::string& path) {
    PathName folder(path);
    // The file name is empty only right after a separator, never after the trail byte of a
    // Shift-JIS character that happens to be '\'. Unlike RemoveTrailingSeparator: C:\ and "/" too.
    if (!folder.Part(PathName::kDirectory).empty() && folder.Part(PathName::kFileName).empty()) {
        folder = path.substr(0, path.size() - 1);
    }
    if (folder.Part(PathName::kDirectory).empty()) return {};
    return {folder.Text(), folder.Part(PathName::kFolder)};
}
