#include "common/registry.h"

#include "common/registry_key.h"
#include "common/system_error.h"
#include "common/win_handles.h"

namespace {

constexpr DWORD kTextBytes = 1024;

// A value of at most kTextBytes bytes up to its first zero byte, or "".
std::string QueryText(HKEY key, const std::string& valueName, DWORD* type) {
    char buffer[kTextBytes + 1];  // room for a zero after a value that has none
    DWORD size = kTextBytes;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, type, reinterpret_cast<BYTE*>(buffer),
                         &size) != ERROR_SUCCESS) {
        return {};
    }
    buffer[size] = '\0';
    return buffer;
}

// Writes create the key path; deletions only open it and take a missing key or value as done.
enum class KeyUse { kCreate, kOpenExisting };

// Gets the key, applies change(key) and throws naming keyPath when either step fails.
template <typename Change>
void ChangeRegistry(HKEY root, const std::string& keyPath, REGSAM view, KeyUse use, Change change) {
    RegistryKey key;
    const REGSAM access = KEY_ALL_ACCESS | view;
    LONG status = use == KeyUse::kCreate
                      ? key.Create(root, keyPath, nullptr, REG_OPTION_NON_VOLATILE, access)
                      : key.Open(root, keyPath, access);
    if (status == ERROR_SUCCESS) status = change(key);
    if (status == ERROR_SUCCESS) return;
    if (use == KeyUse::kOpenExisting && status == ERROR_FILE_NOT_FOUND) return;
    ThrowSystemError(keyPath, static_cast<DWORD>(status));
}

}  // namespace

std::string ReadRegistryString(HKEY root, const std::string& subKey, const std::string& valueName,
                               REGSAM access) {
    RegistryKey key;
    if (key.Open(root, subKey, access) != ERROR_SUCCESS) return {};
    return QueryText(key.Get(), valueName, nullptr);
}

DWORD ReadRegistryDword(HKEY root, const std::string& subKey, const std::string& valueName,
                        DWORD fallback, REGSAM access) {
    RegistryKey key;
    DWORD value = 0;
    if (key.Open(root, subKey, access) != ERROR_SUCCESS) return fallback;
    if (key.QueryDword(&value, valueName) != ERROR_SUCCESS) return fallback;
    return value;
}

void WriteRegistryString(HKEY root, const std::string& subKey, const std::string& valueName,
                         const std::string& text, REGSAM view) {
    ChangeRegistry(root, subKey, view, KeyUse::kCreate,
                   [&](RegistryKey& key) { return key.SetString(text, valueName); });
}

void WriteRegistryDword(HKEY root, const std::string& subKey, const std::string& valueName,
                        DWORD value, REGSAM view) {
    ChangeRegistry(root, subKey, view, KeyUse::kCreate,
                   [&](RegistryKey& key) { return key.SetDword(value, valueName); });
}

void DeleteRegistryValue(HKEY root, const std::string& subKey, const std::string& valueName,
                         REGSAM view) {
    ChangeRegistry(root, subKey, view, KeyUse::kOpenExisting,
                   [&](RegistryKey& key) { return RegDeleteValueA(key.Get(), valueName.c_str()); });
}

void DeleteRegistryKey(HKEY root, const std::string& parentKey, const std::string& subKeyName,
                       REGSAM view) {
    // Only RegDeleteKeyExA deletes in another view than the program's own.
    ChangeRegistry(root, parentKey, view, KeyUse::kOpenExisting, [&](RegistryKey& key) {
        return RegDeleteKeyExA(key.Get(), subKeyName.c_str(), view, 0);
    });
}

std::string ReadRegistryText(HKEY root, const std::string& subKey, const std::string& valueName) {
    ScopedRegistryHandle key;
    if (RegOpenKeyExA(root, subKey.c_str(), 0, KEY_ALL_ACCESS, key.Receive()) != ERROR_SUCCESS) {
        return {};
    }
    DWORD type = REG_NONE;
    std::string text = QueryText(key.Get(), valueName, &type);
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return {};
    return text;  // a multi-string's first string ends at its first zero
}
