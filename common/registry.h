// One-call registry access. Each call opens its key and closes it before it returns or throws.
// Reads never fail outward: they give "" or the caller's fallback. Writes and deletions throw
// std::runtime_error("<key path> : <system message>\n(エラーコード N)"). view is 0 or a flag
// that names the registry view on 64-bit Windows (KEY_WOW64_64KEY, KEY_WOW64_32KEY); reads take
// it as part of their access.
#pragma once

#include <windows.h>

#include <string>

// The text of a value of at most 1024 bytes, up to its first zero byte, whatever its type
// (a number reads as its bytes); "" when the key or value is missing or longer.
std::string ReadRegistryString(HKEY root, const std::string& subKey, const std::string& valueName,
                               REGSAM access = KEY_ALL_ACCESS);

// The stored number, or fallback when it cannot be read or is longer than 4 bytes.
DWORD ReadRegistryDword(HKEY root, const std::string& subKey, const std::string& valueName,
                        DWORD fallback, REGSAM access = KEY_ALL_ACCESS);

// Create the key path as needed; the text is stored as REG_SZ with its zero byte.
void WriteRegistryString(HKEY root, const std::string& subKey, const std::string& valueName,
                         const std::string& text, REGSAM view = 0);
void WriteRegistryDword(HKEY root, const std::string& subKey, const std::string& valueName,
                        DWORD value, REGSAM view = 0);

// Deleting a value or key that is not there, or from a key that is not there, is no error.
void DeleteRegistryValue(HKEY root, const std::string& subKey, const std::string& valueName,
                         REGSAM view = 0);
void DeleteRegistryKey(HKEY root, const std::string& parentKey, const std::string& subKeyName,
                       REGSAM view = 0);

// The bar program's read: like ReadRegistryString, but only for REG_SZ, REG_EXPAND_SZ (not
// expanded) and REG_MULTI_SZ (its first string); "" for any other type.
std::string ReadRegistryText(HKEY root, const std::string& subKey, const std::string& valueName);
