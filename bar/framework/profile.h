// Profile values: REG_DWORD values in HKEY_CURRENT_USER\<root>\<section>.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// The stored number, or defaultValue when the root is not set, or the value is missing or
// not four bytes long.
DWORD ReadProfileDword(const std::string& root, const char* section, const char* entry,
                       DWORD defaultValue);
// Creates the section's key when needed; FALSE when the value could not be written.
BOOL WriteProfileDword(const std::string& root, const char* section, const char* entry,
                       DWORD value);

}  // namespace fw
