#include "bar/framework/profile.h"

namespace fw {

namespace {
class ProfileKey {
public:
    ~ProfileKey() {
        if (m_key) RegCloseKey(m_key);
    }
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key = nullptr;
};

std::string SectionKey(const std::string& root, const char* section) {
    return root + "\\" + section;
}
}  // namespace

DWORD ReadProfileDword(const std::string& root, const char* section, const char* entry,
                       DWORD defaultValue) {
    if (root.empty()) return defaultValue;
    ProfileKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, SectionKey(root, section).c_str(), 0, KEY_READ,
                      key.Out()) != ERROR_SUCCESS)
        return defaultValue;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueExA(key.Get(), entry, nullptr, nullptr, reinterpret_cast<BYTE*>(&value),
                         &size) != ERROR_SUCCESS ||
        size != sizeof(value))
        return defaultValue;
    return value;
}

BOOL WriteProfileDword(const std::string& root, const char* section, const char* entry,
                       DWORD value) {
    if (root.empty()) return FALSE;
    ProfileKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, SectionKey(root, section).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Out(),
                        nullptr) != ERROR_SUCCESS)
        return FALSE;
    return RegSetValueExA(key.Get(), entry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                          sizeof(value)) == ERROR_SUCCESS;
}

}  // namespace fw
