#include "bar/datafile/data_file_path.h"

#include <windows.h>

#include "bar/datafile/data_file.h"
#include "bar/datafile/disk_data_file.h"
#include "bar/datafile/path_parts.h"
#include "common/registry.h"

namespace {

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kBelowAppData[] = "\\OrrinLabs\\Hintrail\\Hintrail.dat";

std::string ModulePath() {
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(GetModuleHandleA(nullptr), path, sizeof(path));
    return std::string(path, n < sizeof(path) ? n : sizeof(path));
}

}  // namespace

std::string DataFilePath(bool forSaving) {
    const std::string appData = ReadRegistryText(HKEY_CURRENT_USER, kShellFolders, "AppData");
    if (!appData.empty()) {
        std::string candidate = appData + kBelowAppData;
        if (forSaving || GetFileAttributesA(candidate.c_str()) != INVALID_FILE_ATTRIBUTES) return candidate;
    }
    return PathParts(ModulePath()).WithExtension(".dat");
}

std::unique_ptr<DataFile> OpenProgramDataFile() { return std::make_unique<DiskDataFile>(DataFilePath); }
