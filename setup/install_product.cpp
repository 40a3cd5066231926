// Installing: the files from the folder setup runs from into the destination folder, the
// installation recorded in the registry, and the shortcuts the user asked for.
#include <windows.h>

#include "common/pathname.h"
#include "common/system_error.h"
#include "setup/file_lists.h"
#include "setup/procedures.h"
#include "setup/setup_state.h"
#include "setup/shell_folders.h"
#include "setup/shell_link.h"

namespace {

// What the installer of version 1.0 left in the program folder.
const char* const LegacyInstallerFiles[] = {"_DEISREG.ISR", "_ISREG32.DLL", "DeIsL1.isu", nullptr};

std::string SourceFolder() {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    PathName program(module);
    program.Canonicalize();
    return program.Part(PathName::kFolder);
}

// With or without a final separator, typed with '/' or '\': the same folder, ending in '\'.
std::string TargetFolder(const std::string& destination) {
    PathName folder(destination);
    folder.EnsureTrailingSeparator();
    folder.Canonicalize();
    return folder.Part(PathName::kFolder);
}

void MakeShortcut(const char* shellFolder, const std::string& program) {
    const std::string linkPath = ShortcutPathIn(OpenShellFolders(), shellFolder);
    ShellLinkSpec spec{};
    spec.linkTarget = program.c_str();
    spec.linkMask = kLinkDescription | kLinkIcon;
    spec.linkDescription = "Hintrail";
    spec.linkIconPath = program.c_str();
    spec.linkIconIndex = 0;
    // A shortcut the user asked for and did not get must not end in "finished".
    const HRESULT result = CreateShellLink(linkPath, spec);
    if (FAILED(result)) ThrowSystemError(linkPath, static_cast<DWORD>(result));
}

}  // namespace

void InstallProduct(bool startMenuShortcut, bool startupShortcut) {
    SetupState& state = TheSetupState();
    const std::string source = SourceFolder();
    const std::string target = TargetFolder(state.destinationFolder);

    CopyFileList(source, target, state.installSet.files);
    if (state.machineVersion == "1.0") DeleteFileList(target, LegacyInstallerFiles);
    state.RecordCondition(Installed);

    const std::string program = target + state.programFileName;
    if (startMenuShortcut) MakeShortcut("Programs", program);
    if (startupShortcut) MakeShortcut("Startup", program);
}
