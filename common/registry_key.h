// An open registry key, closed when the object goes. Every operation returns the Win32 status
// (ERROR_SUCCESS, 0, on success).
#pragma once

#include <windows.h>

#include <string>

class RegistryKey {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;
    ~RegistryKey();

    // Closes the key held, if any.
    LONG Close();

    // On success the key held before is closed and the new one kept; on failure nothing changes.
    LONG Open(HKEY parent, const std::string& subKey, REGSAM access = KEY_ALL_ACCESS);
    LONG Create(HKEY parent, const std::string& subKey, const char* keyClass = nullptr,
                DWORD options = REG_OPTION_NON_VOLATILE, REGSAM access = KEY_ALL_ACCESS,
                SECURITY_ATTRIBUTES* security = nullptr, DWORD* disposition = nullptr);

    // The queries do not look at the stored type. QueryValue takes the buffer's size in
    // bytes and gives back the number of bytes written.
    LONG QueryDword(DWORD* value, const std::string& valueName) const;
    LONG QueryValue(void* buffer, const std::string& valueName, DWORD* size) const;

    LONG SetDword(DWORD value, const std::string& valueName);
    // REG_SZ with its terminating zero byte.
    LONG SetString(const std::string& text, const std::string& valueName);

    HKEY Get() const { return key_; }

private:
    void Keep(HKEY key);

    HKEY key_ = nullptr;
};
