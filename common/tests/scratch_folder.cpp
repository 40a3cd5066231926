#include "scratch_folder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/win_handles.h"

namespace {

void DeleteTree(const std::string& folder) {
    WIN32_FIND_DATAA found{};
    const ScopedFind search(FindFirstFileA((folder + "\\*").c_str(), &found));
    for (bool more = static_cast<bool>(search); more; more = FindNextFileA(search.Get(), &found)) {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            DeleteTree(path);
        } else {
            DeleteFileA(path.c_str());
        }
    }
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    char stored[MAX_PATH];
    if (length == 0 || GetLongPathNameA(temp, stored, MAX_PATH) == 0) {
        ADD_FAILURE() << "no temporary folder";
        return;
    }
    const std::string base =
        std::string(stored) + "hr-test-" + std::to_string(GetCurrentProcessId());
    for (int n = 0;; ++n) {
        path_ = base + "-" + std::to_string(n);
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create " << path_;
            return;
        }
    }
}

ScratchFolder::~ScratchFolder() {
    if (!path_.empty()) DeleteTree(path_);
}

std::string ScratchFolder::operator/(const std::string& relative) const {
    return path_ + "\\" + relative;
}

void ScratchFolder::MakeFolder(const std::string& relative) const {
    ASSERT_TRUE(CreateDirectoryA((*this / relative).c_str(), nullptr)) << relative;
}

void ScratchFolder::MakeFile(const std::string& relative) const {
    const ScopedFile file(CreateFileA((*this / relative).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << relative;
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}
