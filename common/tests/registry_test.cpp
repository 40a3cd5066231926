// The registry helpers against the Wine prefix's own registry.
#include "common/registry.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/registry_key.h"
#include "common/system_error.h"
#include "common/win_handles.h"

namespace {

const std::string kParent = "Software\\HintrailTest";

struct Stored {
    DWORD type = REG_NONE;
    std::string bytes;
};

class Registry : public testing::Test {
protected:
    const std::string key_ = kParent + "\\Common-" + std::to_string(GetCurrentProcessId());

    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, handle_.Receive(), nullptr),
                  ERROR_SUCCESS);
    }

    void TearDown() override {
        handle_.Reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, key_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, kParent.c_str());  // only once it is empty
    }

    void Store(const std::string& name, DWORD type, const std::string& bytes) {
        ASSERT_EQ(RegSetValueExA(handle_.Get(), name.c_str(), 0, type,
                                 reinterpret_cast<const BYTE*>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }

    static Stored Read(const std::string& keyPath, const std::string& name) {
        ScopedRegistryHandle key;
        Stored stored;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_READ, key.Receive()) != 0) {
            return stored;
        }
        char buffer[64];
        DWORD size = sizeof(buffer);
        if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &stored.type,
                             reinterpret_cast<BYTE*>(buffer), &size) != 0) {
            return Stored{};
        }
        stored.bytes.assign(buffer, size);
        return stored;
    }

    static bool KeyExists(HKEY root, const std::string& keyPath) {
        ScopedRegistryHandle key;
        return RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
    }

    ScopedRegistryHandle handle_;
};

using namespace std::string_literals;

struct ReadCase {
    const char* name;
    DWORD type;
    std::string bytes;
    std::string asString;  // ReadRegistryString
    std::string asText;    // ReadRegistryText
};

const ReadCase kReadCases[] = {
    {"plain", REG_SZ, "Hintrail\0"s, "Hintrail", "Hintrail"},
    {"japanese", REG_SZ, "表示\0"s, "表示", "表示"},
    {"1024 bytes", REG_SZ, std::string(1023, 'a') + '\0', std::string(1023, 'a'),
     std::string(1023, 'a')},
    {"1025 bytes", REG_SZ, std::string(1024, 'c') + '\0', "", ""},
    {"1024 bytes, no zero", REG_BINARY, std::string(1024, 'b'), std::string(1024, 'b'), ""},
    {"expandable", REG_EXPAND_SZ, "%TEMP%\\x\0"s, "%TEMP%\\x", "%TEMP%\\x"},
    {"multi", REG_MULTI_SZ, "first\0second\0\0"s, "first", "first"},
    {"number", REG_DWORD, "ABC\0"s, "ABC", ""},
    {"", REG_SZ, "default value\0"s, "default value", "default value"},
};

TEST_F(Registry, ReadsTextOfAtMost1024Bytes) {
    for (const ReadCase& c : kReadCases) Store(c.name, c.type, c.bytes);
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key_, c.name), c.asString);
        EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, key_, c.name), c.asText);
    }
}

TEST_F(Registry, ReadsNumbersOrTheFallback) {
    Store("number", REG_DWORD, "\x2A\x01\0\0"s);
    Store("four bytes", REG_BINARY, "ABCD");
    Store("long text", REG_SZ, "longer than four\0"s);
    const struct {
        std::string key;
        const char* name;
        DWORD value;
    } cases[] = {
        {key_, "number", 0x12A},
        {key_, "four bytes", 0x44434241},  // the stored type is not looked at
        {key_, "long text", 77},
        {key_, "missing", 77},
        {key_ + "\\Missing", "number", 77},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, c.key, c.name, 77), c.value);
    }
}

TEST_F(Registry, MissingKeysAndValuesReadEmpty) {
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key_, "missing"), "");
    EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, key_ + "\\Missing", ""), "");
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, key_, "missing"), "");
    EXPECT_EQ(ReadRegistryText(HKEY_CURRENT_USER, key_ + "\\Missing", ""), "");
}

TEST_F(Registry, WritesCreateTheKeyPath) {
    const std::string deeper = key_ + "\\New\\Deeper";
    WriteRegistryString(HKEY_CURRENT_USER, deeper, "Path", "C:\\ソフト");
    WriteRegistryString(HKEY_CURRENT_USER, deeper, "Empty", "");
    WriteRegistryDword(HKEY_CURRENT_USER, deeper, "Condition", 0x01020304);
    WriteRegistryDword(HKEY_CURRENT_USER, deeper, "Condition", 0x0A0B0C0D);  // replaces

    const struct {
        const char* name;
        DWORD type;
        std::string bytes;
    } cases[] = {
        {"Path", REG_SZ, "C:\\ソフト\0"s},
        {"Empty", REG_SZ, "\0"s},
        {"Condition", REG_DWORD, "\x0D\x0C\x0B\x0A"s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Stored stored = Read(deeper, c.name);
        EXPECT_EQ(stored.type, c.type);
        EXPECT_EQ(stored.bytes, c.bytes);
    }
}

TEST_F(Registry, DeletingWhatIsMissingIsSilent) {
    Store("Doomed", REG_SZ, "x\0"s);
    WriteRegistryDword(HKEY_CURRENT_USER, key_ + "\\Child", "v", 1);

    DeleteRegistryValue(HKEY_CURRENT_USER, key_, "Doomed");
    DeleteRegistryKey(HKEY_CURRENT_USER, key_, "Child");
    EXPECT_EQ(Read(key_, "Doomed").type, static_cast<DWORD>(REG_NONE));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key_ + "\\Child"));

    EXPECT_NO_THROW(DeleteRegistryValue(HKEY_CURRENT_USER, key_, "Doomed"));
    EXPECT_NO_THROW(DeleteRegistryValue(HKEY_CURRENT_USER, key_ + "\\Missing", "Doomed"));
    EXPECT_NO_THROW(DeleteRegistryKey(HKEY_CURRENT_USER, key_, "Child"));
    EXPECT_NO_THROW(DeleteRegistryKey(HKEY_CURRENT_USER, key_ + "\\Missing", "Child"));
}

// The text of the runtime_error that call throws, or "" when it throws nothing.
template <typename Call>
std::string FailureOf(Call call) {
    try {
        call();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return {};
}

TEST_F(Registry, FailuresNameTheKeyPath) {
    // Under Wine HARDWARE is volatile, and a key's children must be too (1021); a leading
    // backslash makes a bad path name (161); a key with children cannot be deleted (5).
    const std::string underVolatile = "HARDWARE\\HintrailTest\\Sub";
    const std::string badName = "\\" + key_;
    for (const char* name : {"", "Version", "Condition"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(
            FailureOf([&] { WriteRegistryString(HKEY_LOCAL_MACHINE, underVolatile, name, "x"); }),
            underVolatile + " : " + SystemErrorText(ERROR_CHILD_MUST_BE_VOLATILE));
        EXPECT_EQ(
            FailureOf([&] { WriteRegistryDword(HKEY_LOCAL_MACHINE, underVolatile, name, 1); }),
            underVolatile + " : " + SystemErrorText(ERROR_CHILD_MUST_BE_VOLATILE));
        EXPECT_EQ(FailureOf([&] { WriteRegistryString(HKEY_CURRENT_USER, badName, name, "x"); }),
                  badName + " : " + SystemErrorText(ERROR_BAD_PATHNAME));
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, "HARDWARE\\HintrailTest"));

    WriteRegistryDword(HKEY_CURRENT_USER, key_ + "\\Child\\Grandchild", "v", 1);
    EXPECT_EQ(FailureOf([&] { DeleteRegistryKey(HKEY_CURRENT_USER, key_, "Child"); }),
              key_ + " : " + SystemErrorText(ERROR_ACCESS_DENIED));
}

TEST_F(Registry, KeyReportsWhetherItCreatedAndKeepsItsKeyWhenOpenFails) {
    RegistryKey key;
    DWORD disposition = 0;
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, key_ + "\\K", nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_ALL_ACCESS, nullptr, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
    ASSERT_EQ(key.Create(HKEY_CURRENT_USER, key_ + "\\K", nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_ALL_ACCESS, nullptr, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));

    EXPECT_EQ(key.Open(HKEY_CURRENT_USER, key_ + "\\Missing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key.SetString("still K", "s"), ERROR_SUCCESS);

    char buffer[16] = {};
    DWORD size = sizeof(buffer);
    EXPECT_EQ(key.QueryValue(buffer, "s", &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 8u);
    EXPECT_STREQ(buffer, "still K");
    size = 4;
    EXPECT_EQ(key.QueryValue(buffer, "s", &size), ERROR_MORE_DATA);

    EXPECT_EQ(key.SetDword(7, "d"), ERROR_SUCCESS);
    DWORD value = 0;
    EXPECT_EQ(key.QueryDword(&value, "d"), ERROR_SUCCESS);
    EXPECT_EQ(value, 7u);
}

TEST_F(Registry, KeyOwnershipMovesAndCloseForgetsTheKey) {
    RegistryKey key;
    EXPECT_EQ(key.Close(), ERROR_SUCCESS);  // nothing held
    ASSERT_EQ(key.Open(HKEY_CURRENT_USER, key_), ERROR_SUCCESS);

    RegistryKey moved(std::move(key));
    EXPECT_EQ(key.Get(), nullptr);
    EXPECT_EQ(moved.SetDword(3, "m"), ERROR_SUCCESS);

    RegistryKey assigned;
    ASSERT_EQ(assigned.Open(HKEY_CURRENT_USER, kParent), ERROR_SUCCESS);
    assigned = std::move(moved);
    EXPECT_EQ(assigned.SetDword(4, "m"), ERROR_SUCCESS);
    EXPECT_EQ(ReadRegistryDword(HKEY_CURRENT_USER, key_, "m", 0), 4u);

    EXPECT_EQ(assigned.Close(), ERROR_SUCCESS);
    EXPECT_EQ(assigned.Get(), nullptr);
    EXPECT_NE(assigned.SetDword(5, "m"), ERROR_SUCCESS);
}

}  // namespace
