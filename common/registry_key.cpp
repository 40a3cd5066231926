#include "common/registry_key.h"

#include <utility>

RegistryKey::RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
    if (this != &other) Keep(std::exchange(other.key_, nullptr));
    return *this;
}

RegistryKey::~RegistryKey() { Close(); }

LONG RegistryKey::Close() {
    if (key_ == nullptr) return ERROR_SUCCESS;
    return RegCloseKey(std::exchange(key_, nullptr));
}

void RegistryKey::Keep(HKEY key) {
    Close();
    key_ = key;
}

LONG RegistryKey::Open(HKEY parent, const std::string& subKey, REGSAM access) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(parent, subKey.c_str(), 0, access, &opened);
    if (status == ERROR_SUCCESS) Keep(opened);
    return status;
}

LONG RegistryKey::Create(HKEY parent, const std::string& subKey, const char* keyClass,
                         DWORD options, REGSAM access, SECURITY_ATTRIBUTES* security,
                         DWORD* disposition) {
    HKEY created = nullptr;
    const LONG status = RegCreateKeyExA(parent, subKey.c_str(), 0, const_cast<char*>(keyClass),
                                        options, access, security, &created, disposition);
    if (status == ERROR_SUCCESS) Keep(created);
    return status;
}

LONG RegistryKey::QueryDword(DWORD* value, const std::string& valueName) const {
    DWORD size = sizeof(*value);
    return RegQueryValueExA(key_, valueName.c_str(), nullptr, nullptr,
                            reinterpret_cast<BYTE*>(value), &size);
}

LONG RegistryKey::QueryValue(void* buffer, const std::string& valueName, DWORD* size) const {
    return RegQueryValueExA(key_, valueName.c_str(), nullptr, nullptr, static_cast<BYTE*>(buffer),
                            size);
}

LONG RegistryKey::SetDword(DWORD value, const std::string& valueName) {
    return RegSetValueExA(key_, valueName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

LONG RegistryKey::SetString(const std::string& text, const std::string& valueName) {
    return RegSetValueExA(key_, valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1));
}
