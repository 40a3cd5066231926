#include "setup_files.h"

#include <gtest/gtest.h>

#include "common/win_handles.h"

namespace hr::test {

namespace {

const char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";

ULONGLONG AsNumber(const FILETIME& time) {
    return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime;
}

}  // namespace

void WriteBytes(const std::string& path, const std::string& bytes) {
    const ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(
        WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

std::string ReadBytes(const std::string& path) {
    const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "<missing>";
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        return "<missing>";
    }
    bytes.resize(read);
    return bytes;
}

FileTimes TimesOf(const std::string& path) {
    const ScopedFile file(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    FILETIME creation{}, access{}, write{};
    EXPECT_TRUE(file && GetFileTime(file.Get(), &creation, &access, &write)) << path;
    return {AsNumber(creation), AsNumber(access), AsNumber(write)};
}

void SetLastWriteTime(const std::string& path, ULONGLONG time) {
    const ScopedFile file(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    const FILETIME stamp{static_cast<DWORD>(time), static_cast<DWORD>(time >> 32)};
    ASSERT_TRUE(file && SetFileTime(file.Get(), nullptr, nullptr, &stamp)) << path;
}

std::string ShortPath(const std::string& path) {
    char name[MAX_PATH] = {};
    const DWORD length = GetShortPathNameA(path.c_str(), name, MAX_PATH);
    return std::string(name, length < MAX_PATH ? length : 0);
}

std::vector<std::string> PendingRenames() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return {};
    }
    const ScopedRegistryHandle owner(key);
    DWORD size = 0;
    if (RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, nullptr, &size) !=
        ERROR_SUCCESS) {
        return {};
    }
    std::string bytes(size, '\0');
    RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr,
                     reinterpret_cast<BYTE*>(bytes.data()), &size);
    bytes.resize(size);
    // Pairs of zero-terminated names; the list ends with an empty name after the last pair.
    std::vector<std::string> names;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t end = bytes.find('\0', at);
        names.push_back(bytes.substr(at, end - at));
        if (end == std::string::npos) break;
        at = end + 1;
    }
    while (names.size() % 2 != 0) names.pop_back();
    return names;
}

void ClearPendingRenames() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_SET_VALUE, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    const ScopedRegistryHandle owner(key);
    RegDeleteValueA(key, "PendingFileRenameOperations");
}

bool RestartWindows() {
    char command[] = "wineboot.exe -r";
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return false;
    }
    const ScopedFile thread(process.hThread);
    const ScopedFile processHandle(process.hProcess);
    return WaitForSingleObject(process.hProcess, 120000) == WAIT_OBJECT_0;
}

}  // namespace hr::test
