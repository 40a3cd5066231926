// The part of PathName that asks the file system how it spells a path.
#include <windows.h>

#include "common/pathname.h"
#include "common/win_handles.h"

namespace {

// The stored name of the one entry that path names, or "" when it names none or several
// (a component with wildcards).
std::string OnDiskName(const std::string& path) {
    WIN32_FIND_DATAA found{};
    const ScopedFind search(FindFirstFileA(path.c_str(), &found));
    if (!search) return {};
    WIN32_FIND_DATAA another{};
    if (FindNextFileA(search.Get(), &another)) return {};
    return found.cFileName;
}

}  // namespace

void PathName::Canonicalize() {
    Normalize();
    RespellComponents(OnDiskName);
}
