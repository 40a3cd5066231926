#include "bar/framework/profile.h"

#include <stdexcept>

#include "common/registry.h"

namespace fw {

namespace {
std::string SectionKey(const std::string& root, const char* section) {
    return root + "\\" + section;
}
}  // namespace

DWORD ReadProfileDword(const std::string& root, const char* section, const char* entry,
                       DWORD defaultValue) {
    if (root.empty()) return defaultValue;
    return ReadRegistryDword(HKEY_CURRENT_USER, SectionKey(root, section), entry, defaultValue);
}

BOOL WriteProfileDword(const std::string& root, const char* section, const char* entry,
                       DWORD value) {
    if (root.empty()) return FALSE;
    try {
        WriteRegistryDword(HKEY_CURRENT_USER, SectionKey(root, section), entry, value);
        return TRUE;
    } catch (const std::runtime_error&) {
        return FALSE;  // the caller does not report a profile that cannot be written
    }
}

}  // namespace fw
