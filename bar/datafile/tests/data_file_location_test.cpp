// Where the program's store reads and writes, through the prefix's own registry and disk: the
// user's application-data folder, or beside the program (here, this test program's folder).
// The Shell Folders value is put back as it was after each test: the prefix is shared.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "bar/archive/tests/fixture_bytes.h"
#include "bar/datafile/disk_data_file.h"
#include "bar/store/command_store.h"
#include "bar/store/tests/fake_desktop.h"
#include "common/tests/scratch_folder.h"
#include "common/win_handles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A data file of one record, an application known by its class name alone.
Bytes OneRecordFile(const std::string& className) {
    char length[3];
    std::snprintf(length, sizeof(length), "%02X", static_cast<unsigned>(className.size()));
    return archive_sample::Fixture("46 25 51 5D  00 00 00 00  01 00 00 00  FF FF 01 00 09 00 'CSgShadow' " +
                                   std::string(length) + " '" + className + "'  05 'x.exe'  00 00 00 00  01 00 00 00");
}

std::optional<Bytes> OnDisk(const std::string& path) {
    return DiskDataFile([&path](bool) { return path; }).Read();
}

void Put(const std::string& path, const Bytes& bytes) {
    const ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    ASSERT_TRUE(file) << path;
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
}

std::string ModulePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    return path;
}

struct RegistryValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::string bytes;
};

RegistryValue ReadValue() {
    RegistryValue value;
    ScopedRegistryHandle key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return value;
    char buffer[1024];
    DWORD size = sizeof(buffer);
    if (RegQueryValueExA(key.Get(), "AppData", nullptr, &value.type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return value;
    }
    value.present = true;
    value.bytes.assign(buffer, size);
    return value;
}

void WriteValue(const RegistryValue& value) {
    ScopedRegistryHandle key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.Receive(), nullptr),
              ERROR_SUCCESS);
    if (!value.present) {
        RegDeleteValueA(key.Get(), "AppData");
        return;
    }
    ASSERT_EQ(RegSetValueExA(key.Get(), "AppData", 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                             static_cast<DWORD>(value.bytes.size())),
              ERROR_SUCCESS);
}

RegistryValue Text(const std::string& text) { return {true, REG_SZ, text + '\0'}; }

class DataFileLocation : public ::testing::Test {
protected:
    DataFileLocation() {
        CreateDirectoryA(appData.c_str(), nullptr);
        DeleteFileA(besideProgram.c_str());
    }
    ~DataFileLocation() override {
        WriteValue(saved);
        DeleteFileA(besideProgram.c_str());
    }

    // A store of the program's kind, on its own data file, over a fake desktop.
    std::unique_ptr<CommandStore> NewStore() {
        auto owned = std::make_unique<fake::Desktop>();
        desktop = owned.get();
        return std::make_unique<CommandStore>(app, std::move(owned), OpenProgramDataFile());
    }
    static std::vector<std::string> ClassNames(const CommandStore& store) {
        std::vector<std::string> names;
        for (const auto& record : store.m_shadows) names.push_back(record->m_strClassName);
        return names;
    }

    const RegistryValue saved = ReadValue();
    ScratchFolder scratch;
    const std::string appData = scratch / "AppData";
    const std::string usersFile = appData + "\\OrrinLabs\\Hintrail\\Hintrail.dat";
    // This program's path with ".dat" for ".exe".
    const std::string besideProgram = ModulePath().substr(0, ModulePath().size() - 4) + ".dat";
    fake::App app;
    fake::Desktop* desktop = nullptr;
};

TEST_F(DataFileLocation, WithNoFileOfTheUsersTheOneBesideTheProgramIsReadAndTheUsersWritten) {
    WriteValue(Text(appData));
    Put(besideProgram, OneRecordFile("Installed"));
    auto store = NewStore();
    EXPECT_TRUE(store->Load());
    EXPECT_EQ(ClassNames(*store), std::vector<std::string>{"Installed"});

    store->OnActivate(desktop->AddWindow({"Learned", "y.exe"}), nullptr);
    EXPECT_TRUE(store->Save());
    EXPECT_TRUE(IsFolder(appData + "\\OrrinLabs\\Hintrail"));
    EXPECT_EQ(OnDisk(besideProgram), OneRecordFile("Installed")) << "left in place";

    store = NewStore();  // the one before saves again as it goes: the same bytes
    EXPECT_TRUE(store->Load());
    EXPECT_EQ(ClassNames(*store), (std::vector<std::string>{"Installed", "Learned"}));
}

TEST_F(DataFileLocation, WithAFileOfTheUsersTheOneBesideTheProgramIsNeverRead) {
    WriteValue(Text(appData));
    Put(besideProgram, OneRecordFile("Installed"));
    CreateDirectoryA((appData + "\\OrrinLabs").c_str(), nullptr);
    CreateDirectoryA((appData + "\\OrrinLabs\\Hintrail").c_str(), nullptr);
    Put(usersFile, OneRecordFile("Users"));
    auto store = NewStore();
    EXPECT_TRUE(store->Load());
    EXPECT_EQ(ClassNames(*store), std::vector<std::string>{"Users"});
}

TEST_F(DataFileLocation, WithoutAnApplicationDataFolderBothUseTheFileBesideTheProgram) {
    const struct {
        const char* name;
        RegistryValue value;
    } cases[] = {
        {"no value", RegistryValue{}},
        {"an empty text", Text("")},
        {"a number", RegistryValue{true, REG_DWORD, std::string(4, '\1')}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteValue(c.value);
        Put(besideProgram, OneRecordFile("Installed"));
        auto store = NewStore();
        EXPECT_TRUE(store->Load());
        store->OnActivate(desktop->AddWindow({"Learned", "y.exe"}), nullptr);
        EXPECT_TRUE(store->Save());
        store = NewStore();
        EXPECT_TRUE(store->Load());
        EXPECT_EQ(ClassNames(*store), (std::vector<std::string>{"Installed", "Learned"}));
    }
    EXPECT_FALSE(Exists(appData + "\\OrrinLabs"));
}

}  // namespace
