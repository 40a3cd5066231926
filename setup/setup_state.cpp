#include "setup/setup_state.h"

#include <windows.h>

#include <utility>

#include "common/pathname.h"
#include "common/registry.h"
#include "common/registry_key.h"
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

// Whether the machine's key is one and the same in both registry views: Windows shares some
// keys between them, Wine others. A value set through the 64-bit view is looked for in the other.
bool SharedWith32BitView(const std::string& key) {
    RegistryKey native;
    if (native.Open(HKEY_LOCAL_MACHINE, key, KEY_ALL_ACCESS | KEY_WOW64_64KEY) != ERROR_SUCCESS) {
        return false;
    }
    constexpr char kProbe[] = "Hintrail view probe";
    if (native.SetDword(1, kProbe) != ERROR_SUCCESS) return false;
    const bool shared =
        ReadRegistryDword(HKEY_LOCAL_MACHINE, key, kProbe, 0, KEY_READ | KEY_WOW64_32KEY) == 1;
    RegDeleteValueA(native.Get(), kProbe);
    return shared;
}

// Deletes what an earlier release recorded in the 32-bit view (Setup version, App Paths, uninstall
// entry), but no key that the 64-bit view shares: that one holds the record just written.
void RemoveEarlierRecord(const SetupState& state) {
    constexpr REGSAM kEarlier = KEY_WOW64_32KEY;
    const std::string setupKey = state.SetupKey();
    if (!SharedWith32BitView(setupKey)) {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, setupKey, "Version", kEarlier);
        DeleteRegistryKey(HKEY_LOCAL_MACHINE, setupKey.substr(0, setupKey.rfind('\\')), "Setup",
                          kEarlier);
    }
    if (!SharedWith32BitView(state.AppPathsKey())) {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, state.AppPathsKey(), "Path", kEarlier);
        DeleteRegistryKey(HKEY_LOCAL_MACHINE, kAppPathsParent, state.programFileName, kEarlier);
    }
    if (!SharedWith32BitView(state.UninstallKey())) {
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, state.UninstallKey(), "DisplayName", kEarlier);
        DeleteRegistryValue(HKEY_LOCAL_MACHINE, state.UninstallKey(), "UninstallString", kEarlier);
        DeleteRegistryKey(HKEY_LOCAL_MACHINE, kUninstallParent, state.productName, kEarlier);
    }
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
    // Earlier releases installed the 32-bit set on 64-bit Windows too, recorded in the 32-bit
    // view. What the 64-bit view does not hold is read from there: that is the installation,
    // updated where it is, and the next record in the 64-bit view removes it. (Some keys are
    // shared by both views; there both reads give the same.)
    if (installSet.registryView == RegistryView::k64Bit) {
        const REGSAM earlier = KEY_ALL_ACCESS | KEY_WOW64_32KEY;
        if (machineVersion.empty()) {
            machineVersion = ReadRegistryString(HKEY_LOCAL_MACHINE, setupKey, "Version", earlier);
        }
        if (appPathFolder.empty()) {
            appPathFolder = ReadRegistryString(HKEY_LOCAL_MACHINE, AppPathsKey(), "Path", earlier);
        }
    }

    if (!appPathFolder.empty()) {
        destinationFolder = appPathFolder;
    } else {
        std::string programFiles =
            ReadRegistryString(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", access);
        if (programFiles.empty()) programFiles = kDefaultProgramFiles;
        destinationFolder = WithTrailingSeparator(programFiles) + productName;
    }

    DeriveFlags(
        static_cast<int>(ReadRegistryDword(HKEY_CURRENT_USER, setupKey, "Condition", 0, access)));
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

    WriteRegistryDword(HKEY_CURRENT_USER, setupKey, "Condition", static_cast<DWORD>(condition),
                       view);

    // An earlier release's record in the 32-bit view goes, so that the product is listed once and
    // the next run reads only the record written here.
    if (installSet.registryView == RegistryView::k64Bit) RemoveEarlierRecord(*this);
}

ProductSetupState::ProductSetupState()
    : SetupState("Orrin-Labs", "Hintrail", "1.03", "Hintrail.exe", "HRSetup.exe") {
    ReloadCondition();
}

void ProductSetupState::ReloadCondition() {
    LoadState();
    const int stored = static_cast<int>(ReadRegistryDword(
        HKEY_CURRENT_USER, SetupKey(), "Condition", static_cast<DWORD>(LegacyRecord),
        KEY_ALL_ACCESS | ViewFlag(installSet.registryView)));
    DeriveFlags(ConditionOfRecord(stored, userVersion, machineVersion));
}

SetupState& TheSetupState() {
    static ProductSetupState state;
    return state;
}
