#include "setup/file_lists.h"

#include <windows.h>

#include <stdexcept>

#include "common/directory_tree.h"
#include "setup/copy_file_stamped.h"
#include "setup/delete_file_if_present.h"

namespace {

template <class Step>
void RetryOrCancel(const Step& step) {
    for (;;) {
        try {
            step();
            return;
        } catch (const std::exception& failure) {
            if (MessageBoxA(nullptr, failure.what(), "Hintrail SETUP",
                            MB_ICONERROR | MB_RETRYCANCEL) != IDRETRY) {
                throw std::runtime_error("セットアップに失敗しました.");
            }
        }
    }
}

}  // namespace

void CopyFileList(const std::string& sourceFolder, const std::string& targetFolder,
                  const FileCopyEntry* table) {
    CreateDirectoryTree(targetFolder);
    for (const FileCopyEntry* entry = table; entry->sourceName != nullptr; ++entry) {
        const bool keepExisting = entry->targetName[0] == '!';
        const std::string source = sourceFolder + entry->sourceName;
        const std::string target = targetFolder + (entry->targetName + (keepExisting ? 1 : 0));
        RetryOrCancel([&] { CopyFileStamped(source, target, !keepExisting); });
    }
}

void DeleteFileList(const std::string& folder, const char* const* names) {
    for (const char* const* name = names; *name != nullptr; ++name) {
        const std::string path = folder + *name;
        RetryOrCancel([&] { DeleteFileIfPresent(path); });
    }
}
