// Working through a list of files one at a time. A failing file shows its error in a box
// captioned "Hintrail SETUP" with Retry, which repeats only that file, and Cancel, which ends
// the work with std::runtime_error("セットアップに失敗しました.").
#pragma once

#include <string>

#include "setup/file_copy_entry.h"

// Creates targetFolder with its missing parents (a failure there ends the work at once, without
// the box), then copies each row with CopyFileStamped. Both folders end in '\'.
void CopyFileList(const std::string& sourceFolder, const std::string& targetFolder,
                  const FileCopyEntry* table);

// DeleteFileIfPresent for each name up to the nullptr that ends the list; folder ends in '\'.
void DeleteFileList(const std::string& folder, const char* const* names);
