#include "setup/tests/setup_registry.h"

#include "common/win_handles.h"

namespace setuptest {

const char kSetupKey[] = "Software\\Orrin-Labs\\Hintrail\\Setup";
const char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\Hintrail.exe";
const char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Hintrail";
const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

StoredValue Sz(const std::string& text) { return {REG_SZ, text + '\0'}; }

StoredValue Dword(DWORD value) {
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof(value))};
}

std::optional<StoredValue> ReadValue(HKEY root, const std::string& key, const std::string& name) {
    ScopedRegistryHandle handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, handle.Receive()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    StoredValue value;
    char buffer[2048];
    DWORD size = sizeof(buffer);
    if (RegQueryValueExA(handle.Get(), name.c_str(), nullptr, &value.type,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.bytes.assign(buffer, size);
    return value;
}

bool KeyExists(HKEY root, const std::string& key) {
    ScopedRegistryHandle handle;
    return RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, handle.Receive()) == ERROR_SUCCESS;
}

void WriteValue(HKEY root, const std::string& key, const std::string& name,
                const StoredValue& value) {
    ScopedRegistryHandle handle;
    if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, handle.Receive(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    RegSetValueExA(handle.Get(), name.c_str(), 0, value.type,
                   reinterpret_cast<const BYTE*>(value.bytes.data()),
                   static_cast<DWORD>(value.bytes.size()));
}

void RemoveValue(HKEY root, const std::string& key, const std::string& name) {
    ScopedRegistryHandle handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, handle.Receive()) == ERROR_SUCCESS) {
        RegDeleteValueA(handle.Get(), name.c_str());
    }
}

CleanSetupRegistry::CleanSetupRegistry()
    : m_programFilesDir(ReadValue(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir")) {
    Clear();
}

CleanSetupRegistry::~CleanSetupRegistry() {
    Clear();
    if (m_programFilesDir) {
        WriteValue(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", *m_programFilesDir);
    } else {
        RemoveValue(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir");
    }
}

void CleanSetupRegistry::Clear() {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSetupKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kSetupKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kAppPathsKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
    // An earlier release's record in the 32-bit view of a 64-bit Windows: leaf keys.
    for (const char* key : {kSetupKey, kAppPathsKey, kUninstallKey}) {
        const std::string path = key;
        HKEY parent = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.substr(0, path.rfind('\\')).c_str(), 0,
                          KEY_ALL_ACCESS | KEY_WOW64_32KEY, &parent) != ERROR_SUCCESS) {
            continue;
        }
        RegDeleteKeyExA(parent, path.substr(path.rfind('\\') + 1).c_str(), KEY_WOW64_32KEY, 0);
        RegCloseKey(parent);
    }
}

}  // namespace setuptest
