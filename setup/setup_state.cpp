#include "setup/setup_state.h"

#include <windows.h>

#include <utility>

#include "common/pathname.h"
#include "common/registry.h"
#include "setup/windows_bitness.h"

namespace {

constexpr char kAppPathsParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
constexpr char kUninstallParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
constexpr char kDefaultProgramFiles[] = "C:\\Program Files";

// folder with exactly one separator at its end (none added to a bare root such as C:).
std::string WithTrailingSeparator(const std::string& folder) {
    PathName path(folder);
    path.EnsureTrailingSeparator();
    return path.Text();
}

REGSAM ViewFlag(RegistryView view) { return view == RegistryView::k64Bit ? KEY_WOW64_64KEY : 0; }

std::string WithoutTrailingSeparator(const std::string& folder) {
    PathName path(folder);
    path.RemoveTrailingSeparator();
    return path.Text();
}

}  // namespace

SetupState::SetupState(std::string maker, std::string product, std::string version,
                       std::string programFile, std::string setupFile)
    : installSet(ChooseInstallSet(ThisProgramBitness(), WindowsBitness())),
      makerName(std::move(maker)),
      productName(std::move(product)),
      productVersion(std::move(version)),
      programFileName(std::move(programFile)),
      setupFileName(std::move(setupFile)) {
    LoadState();
}

std::string SetupState::SetupKey() const {
    return "Software\\" + makerName + "\\" + productName + "\\Setup";
}

std::string SetupState::AppPathsKey() const {
    return std::string(kAppPathsParent) + "\\" + programFileName;
}

std::string SetupState::UninstallKey() const {
    return std::string(kUninstallParent) + "\\" + productName;
}

void SetupState::LoadState() {
    const std::string setupKey = SetupKey();
    const REGSAM access = KEY_ALL_ACCESS | ViewFlag(installSet.registryView);
    userVersion = ReadRegistryString(HKEY_CURRENT_USER, setupKey, "Version", access);
    machineVersion = ReadRegistryString(HKEY_LOCAL_MACHINE, setupKey, "Version", access);
    appPathFolder = ReadRegistryString(HKEY_LOCAL_MACHINE, AppPathsKey(), "Path", access);

    if (!appPathFolder.empty()) {
        destinationFolder = appPathFolder;
    } else {
        std::string programFiles =
            ReadRegistryString(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", access);
        if (programFiles.empty()) programFiles = kDefaultProgramFiles;
        destinationFolder = WithTrailingSeparator(programFiles) + productName;
    }

    DeriveFlags(static_cast<int>(ReadRegistryDword(HKEY_CURRENT_USER, setupKey, "Condition", 0, access)));
}

void SetupState::DeriveFlags(int condition) {
    const BlockedChoices blocked =
        BlockedChoicesFor(condition, userVersion, machineVersion, productVersion);
    installBlocked = blocked.install;
    uninstallBlocked = blocked.uninstall;
    keepDataBlocked = blocked.keepData;
}

void SetupState::RecordCondition(int condition) {
    const std::string setupKey = SetupKey();
    const std::string appPathsKey = AppPathsKey();
    const std::string uninstallKey = UninstallKey();
    const REGSAM view = ViewFlag(installSet.registryView);

    WriteRegistryString(HKEY_CURRENT_USER, setupKey, "Version", productVersion, view);
    WriteRegistryString(HKEY_LOCAL_MACHINE, setupKey, "Version",
                        condition != NotInstalled ? productVersion : std::string(), view);

    if (condition != NotInstalled) {
        WriteRegistryString(HKEY_LOCAL_MACHINE, appPathsKey, "Path",
                            WithoutTrailingSeparator(destinationFolder), view);
        WriteRegistryString(HKEY_LOCAL_MACHINE, appPathsKey, "",
                            WithTrailingSeparator(destinationFolder) + programFileName, view);
    } else {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, appPathsKey, "Path", view);
        DeleteRegistryKey(HKEY_LOCAL_MACHINE, kAppPathsParent, programFileName, view);
    }

    if (condition == Installed) {
        WriteRegistryString(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName", productName, view);
        WriteRegistryString(HKEY_LOCAL_MACHINE, uninstallKey, "UninstallString",
                            WithTrailingSeparator(destinationFolder) + setupFileName, view);
    } else {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName", view);
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, uninstallKey, "UninstallString", view);
        DeleteRegistryKey(HKEY_LOCAL_MACHINE, kUninstallParent, productName, view);
    }

    WriteRegistryDword(HKEY_CURRENT_USER, setupKey, "Condition", static_cast<DWORD>(condition), view);
}

ProductSetupState::ProductSetupState()
    : SetupState("Orrin-Labs", "Hintrail", "1.03", "Hintrail.exe", "HRSetup.exe") {
    ReloadCondition();
}

void ProductSetupState::ReloadCondition() {
    LoadState();
    const int stored = static_cast<int>(
        ReadRegistryDword(HKEY_CURRENT_USER, SetupKey(), "Condition", static_cast<DWORD>(LegacyRecord),
                          KEY_ALL_ACCESS | ViewFlag(installSet.registryView)));
    DeriveFlags(ConditionOfRecord(stored, userVersion, machineVersion));
}

SetupState& TheSetupState() {
    static ProductSetupState state;
    return state;
}
