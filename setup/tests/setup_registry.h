// Test side of the setup program's registry entries: every key the setup state reads or writes,
// emptied before a test and afterwards, with the machine's "ProgramFilesDir" put back.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace setuptest {

extern const char kSetupKey[];
extern const char kAppPathsKey[];
extern const char kUninstallKey[];
extern const char kCurrentVersionKey[];

// A value as stored: its type and its bytes.
struct StoredValue {
    DWORD type = REG_NONE;
    std::string bytes;
    bool operator==(const StoredValue& other) const {
        return type == other.type && bytes == other.bytes;
    }
};
StoredValue Sz(const std::string& text);  // REG_SZ with its zero byte
StoredValue Dword(DWORD value);

std::optional<StoredValue> ReadValue(HKEY root, const std::string& key, const std::string& name);
bool KeyExists(HKEY root, const std::string& key);
void WriteValue(HKEY root, const std::string& key, const std::string& name, const StoredValue& value);
void RemoveValue(HKEY root, const std::string& key, const std::string& name);

// Clears the setup program's entries on construction and destruction.
class CleanSetupRegistry {
public:
    CleanSetupRegistry();
    ~CleanSetupRegistry();
    CleanSetupRegistry(const CleanSetupRegistry&) = delete;
    CleanSetupRegistry& operator=(const CleanSetupRegistry&) = delete;

private:
    static void Clear();
    std::optional<StoredValue> m_programFilesDir;
};

}  // namespace setuptest
