// Uninstalling: help files, read-me and shortcuts go at once; the program files, which may be
// in use, and with removeAll the data files, at the next restart.
#include "common/pathname.h"
#include "common/registry.h"
#include "setup/delete_file_if_present.h"
#include "setup/file_lists.h"
#include "setup/install_set.h"
#include "setup/procedures.h"
#include "setup/restart_move.h"
#include "setup/setup_state.h"
#include "setup/shell_folders.h"

namespace {

// The keep-data mode starts at the second entry: the help index goes only with everything.
const char* const UninstallFileList[] = {
    "Hintrail.GID", "Hintrail.cnt", "Hintrail.hlp", "ReadMe.txt",
    "_DEISREG.ISR", "_ISREG32.DLL", "DeIsL1.isu",   nullptr,
};

std::string ProgramFolder(const std::string& destination) {
    PathName folder(destination);
    folder.EnsureTrailingSeparator();
    return folder.Part(PathName::kFolder);
}

void DeleteShortcuts() {
    const RegistryKey shellFolders = OpenShellFolders();
    DeleteFileIfPresent(ShortcutPathIn(shellFolders, "Programs"));
    DeleteFileIfPresent(ShortcutPathIn(shellFolders, "Startup"));
}

void DeleteDataFilesAtRestart(const std::string& folder) {
    MoveFileAtRestart(folder + "Hintrail.dat", kDeleteAtRestart);
    const std::string appData = ReadRegistryString(HKEY_CURRENT_USER, kShellFoldersKey, "AppData");
    if (!appData.empty()) {
        MoveFileAtRestart(appData + "\\OrrinLabs\\Hintrail\\Hintrail.dat", kDeleteAtRestart);
    }
}

}  // namespace

void UninstallProduct(bool removeAll) {
    SetupState& state = TheSetupState();
    const std::string folder = ProgramFolder(state.destinationFolder);

    DeleteFileList(folder, removeAll ? UninstallFileList : UninstallFileList + 1);
    DeleteShortcuts();
    if (removeAll) DeleteDataFilesAtRestart(folder);
    // Both sets' names: an absent file is no error, and the set installed may not be this one.
    for (const char* const* name = kInstalledProgramFiles; *name; ++name) {
        MoveFileAtRestart(folder + *name, kDeleteAtRestart);
    }
    state.RecordCondition(removeAll ? NotInstalled : DataKept);
}
