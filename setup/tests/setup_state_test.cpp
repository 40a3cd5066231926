// The setup state against the Wine prefix's own registry: what it reads, proposes and greys,
// and the layout it records.
#include "setup/setup_state.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "setup/tests/setup_registry.h"

namespace {

using namespace setuptest;

const HKEY kUser = HKEY_CURRENT_USER;
const HKEY kMachine = HKEY_LOCAL_MACHINE;

struct Recorded {
    const char* name;
    std::optional<std::string> userVersion;
    std::optional<std::string> machineVersion;
    std::optional<DWORD> condition;
    bool installBlocked;
    bool uninstallBlocked;
    bool keepDataBlocked;
};

void PrintTo(const Recorded& row, std::ostream* out) { *out << row.name; }

class SetupStateRecord : public testing::TestWithParam<Recorded> {
protected:
    CleanSetupRegistry registry_;
};

TEST_P(SetupStateRecord, GreysTheChoicesThatDoNotFit) {
    const Recorded& row = GetParam();
    if (row.userVersion) WriteValue(kUser, kSetupKey, "Version", Sz(*row.userVersion));
    if (row.machineVersion) WriteValue(kMachine, kSetupKey, "Version", Sz(*row.machineVersion));
    if (row.condition) WriteValue(kUser, kSetupKey, "Condition", Dword(*row.condition));

    ProductSetupState state;
    EXPECT_EQ(state.installBlocked, row.installBlocked);
    EXPECT_EQ(state.uninstallBlocked, row.uninstallBlocked);
    EXPECT_EQ(state.keepDataBlocked, row.keepDataBlocked);
}

INSTANTIATE_TEST_SUITE_P(
    States, SetupStateRecord,
    testing::Values(Recorded{"NothingRecorded", {}, {}, {}, false, true, false},
                    Recorded{"InstalledThisVersion", "1.03", "1.03", 2u, true, false, false},
                    Recorded{"InstalledOtherVersion", "1.02", "1.02", 2u, false, false, false},
                    Recorded{"DataKept", "1.03", "1.03", 1u, false, false, true},
                    Recorded{"RemovedCompletely", "1.03", "", 0u, false, true, false},
                    Recorded{"Version10WithoutCondition", "1.0", "1.0", {}, false, false, false},
                    // The first reading takes the missing condition as 0 and greys uninstall; the
                    // second, which decides, sees the 1.0 installation.
                    Recorded{"Version10ForTheUserOnly", "1.0", {}, {}, false, false, false},
                    Recorded{
                        "NoConditionButAMachineVersion", "1.02", "1.02", {}, false, false, false}),
    [](const testing::TestParamInfo<Recorded>& info) { return std::string(info.param.name); });

TEST(SetupStateGeneric, ReadsTheConditionOnceWithZeroForAMissingOne) {
    CleanSetupRegistry registry;
    WriteValue(kUser, kSetupKey, "Version", Sz("1.0"));
    SetupState state("Orrin-Labs", "Hintrail", "1.03", "Hintrail.exe", "HRSetup.exe");
    EXPECT_EQ(state.userVersion, "1.0");
    EXPECT_EQ(state.machineVersion, "");
    EXPECT_TRUE(state.uninstallBlocked);
}

struct Proposal {
    const char* name;
    std::optional<std::string> programFilesDir;
    std::optional<std::string> appPath;
    std::string destinationFolder;
};

void PrintTo(const Proposal& row, std::ostream* out) { *out << row.name; }

class SetupStateFolder : public testing::TestWithParam<Proposal> {
protected:
    CleanSetupRegistry registry_;
};

TEST_P(SetupStateFolder, ProposesTheDestination) {
    const Proposal& row = GetParam();
    if (row.programFilesDir) {
        WriteValue(kMachine, kCurrentVersionKey, "ProgramFilesDir", Sz(*row.programFilesDir));
    } else {
        RemoveValue(kMachine, kCurrentVersionKey, "ProgramFilesDir");
    }
    if (row.appPath) WriteValue(kMachine, kAppPathsKey, "Path", Sz(*row.appPath));

    ProductSetupState state;
    EXPECT_EQ(state.destinationFolder, row.destinationFolder);
    EXPECT_EQ(state.appPathFolder, row.appPath.value_or(""));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, SetupStateFolder,
    testing::Values(Proposal{"ProgramFiles", "D:\\Apps", {}, "D:\\Apps\\Hintrail"},
                    Proposal{"ProgramFilesWithSeparator", "D:\\Apps\\", {}, "D:\\Apps\\Hintrail"},
                    Proposal{"ProgramFilesMissing", {}, {}, "C:\\Program Files\\Hintrail"},
                    Proposal{"ProgramFilesEmpty", "", {}, "C:\\Program Files\\Hintrail"},
                    Proposal{"AppPathAsRecorded", "D:\\Apps", "D:\\Tools\\Hintrail\\",
                             "D:\\Tools\\Hintrail\\"}),
    [](const testing::TestParamInfo<Proposal>& info) { return std::string(info.param.name); });

// Every entry the record touches, with what it holds afterwards (nullopt: no such value).
struct Entry {
    HKEY root;
    const char* key;
    const char* value;
};
const Entry kUserVersion{kUser, kSetupKey, "Version"};
const Entry kMachineVersion{kMachine, kSetupKey, "Version"};
const Entry kAppPath{kMachine, kAppPathsKey, "Path"};
const Entry kAppPathDefault{kMachine, kAppPathsKey, ""};
const Entry kDisplayName{kMachine, kUninstallKey, "DisplayName"};
const Entry kUninstallString{kMachine, kUninstallKey, "UninstallString"};
const Entry kCondition{kUser, kSetupKey, "Condition"};

struct Layout {
    const char* name;
    int condition;
    std::optional<StoredValue> userVersion, machineVersion, appPath, appPathDefault, displayName,
        uninstallString, condition_;
    bool appPathsKeyKept, uninstallKeyKept;
};

// An earlier installation elsewhere, so that every entry shows whether it was written or deleted.
void RecordStaleInstallation() {
    WriteValue(kUser, kSetupKey, "Version", Sz("1.02"));
    WriteValue(kMachine, kSetupKey, "Version", Sz("1.02"));
    WriteValue(kMachine, kAppPathsKey, "Path", Sz("E:\\Old"));
    WriteValue(kMachine, kAppPathsKey, "", Sz("E:\\Old\\Hintrail.exe"));
    WriteValue(kMachine, kUninstallKey, "DisplayName", Sz("Old"));
    WriteValue(kMachine, kUninstallKey, "UninstallString", Sz("E:\\Old\\HRSetup.exe"));
    WriteValue(kUser, kSetupKey, "Condition", Dword(7));
}

std::optional<StoredValue> Read(const Entry& entry) {
    return ReadValue(entry.root, entry.key, entry.value);
}

void PrintTo(const Layout& row, std::ostream* out) { *out << row.name; }

class SetupStateLayout : public testing::TestWithParam<Layout> {
protected:
    CleanSetupRegistry registry_;
};

TEST_P(SetupStateLayout, RecordsEveryEntryOfTheCondition) {
    const Layout& row = GetParam();
    RecordStaleInstallation();
    ProductSetupState state;
    state.destinationFolder = "D:\\Tools\\Hintrail\\";

    state.RecordCondition(row.condition);

    EXPECT_EQ(Read(kUserVersion), row.userVersion);
    EXPECT_EQ(Read(kMachineVersion), row.machineVersion);
    EXPECT_EQ(Read(kAppPath), row.appPath);
    EXPECT_EQ(Read(kAppPathDefault), row.appPathDefault);
    EXPECT_EQ(Read(kDisplayName), row.displayName);
    EXPECT_EQ(Read(kUninstallString), row.uninstallString);
    EXPECT_EQ(Read(kCondition), row.condition_);
    EXPECT_EQ(KeyExists(kMachine, kAppPathsKey), row.appPathsKeyKept);
    EXPECT_EQ(KeyExists(kMachine, kUninstallKey), row.uninstallKeyKept);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, SetupStateLayout,
    testing::Values(Layout{"Installed", Installed, Sz("1.03"), Sz("1.03"),
                           Sz("D:\\Tools\\Hintrail"), Sz("D:\\Tools\\Hintrail\\Hintrail.exe"),
                           Sz("Hintrail"), Sz("D:\\Tools\\Hintrail\\HRSetup.exe"), Dword(2), true,
                           true},
                    Layout{"DataKept",
                           DataKept,
                           Sz("1.03"),
                           Sz("1.03"),
                           Sz("D:\\Tools\\Hintrail"),
                           Sz("D:\\Tools\\Hintrail\\Hintrail.exe"),
                           {},
                           {},
                           Dword(1),
                           true,
                           false},
                    Layout{"NotInstalled",
                           NotInstalled,
                           Sz("1.03"),
                           Sz(""),
                           {},
                           {},
                           {},
                           {},
                           Dword(0),
                           false,
                           false}),
    [](const testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

#ifdef _WIN64
void WriteIn32BitView(const std::string& key, const std::string& name, const std::string& text) {
    HKEY opened = nullptr;
    ASSERT_EQ(RegCreateKeyExA(kMachine, key.c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(opened, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(opened);
}

std::string ReadInView(const std::string& key, const std::string& name, REGSAM view) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(kMachine, key.c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS)
        return {};
    char text[256] = {};
    DWORD size = sizeof(text) - 1;
    RegQueryValueExA(opened, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(opened);
    return text;
}

// On 64-bit Windows earlier releases installed the 32-bit set and recorded it in the 32-bit view.
TEST(SetupStateOn64BitWindows, TakesOverAnEarlierReleasesRecordAndListsTheProductOnce) {
    CleanSetupRegistry registry;
    const std::string folder = "C:\\Program Files (x86)\\Hintrail";
    WriteValue(kUser, kSetupKey, "Version", Sz("1.02"));
    WriteValue(kUser, kSetupKey, "Condition", Dword(Installed));
    WriteIn32BitView(kSetupKey, "Version", "1.02");
    WriteIn32BitView(kAppPathsKey, "Path", folder);
    WriteIn32BitView(kAppPathsKey, "", folder + "\\Hintrail.exe");
    WriteIn32BitView(kUninstallKey, "DisplayName", "Hintrail");
    WriteIn32BitView(kUninstallKey, "UninstallString", folder + "\\HRSetup.exe");
    // A value only the earlier record has, to see whether that record is still there.
    for (const char* key : {kSetupKey, kAppPathsKey, kUninstallKey})
        WriteIn32BitView(key, "Earlier", "1");

    ProductSetupState state;
    EXPECT_EQ(state.machineVersion, "1.02");
    EXPECT_EQ(state.destinationFolder, folder) << "the installation is updated where it is";
    EXPECT_FALSE(state.installBlocked);
    EXPECT_FALSE(state.uninstallBlocked);

    state.RecordCondition(Installed);
    EXPECT_EQ(Read(kAppPath), Sz(folder));
    EXPECT_EQ(Read(kDisplayName), Sz("Hintrail"));
    // The earlier record is gone from the 32-bit view; a key that both views share (Wine shares
    // App Paths) is one key, which holds the record just written.
    for (const char* key : {kSetupKey, kAppPathsKey, kUninstallKey}) {
        EXPECT_EQ(ReadInView(key, "Earlier", KEY_WOW64_32KEY),
                  ReadInView(key, "Earlier", KEY_WOW64_64KEY))
            << key;
    }
    ProductSetupState next;
    EXPECT_TRUE(next.installBlocked) << "the next run finds this version installed";
}
#endif

TEST(SetupStateLayoutAtARoot, KeepsTheRootsOwnSeparator) {
    CleanSetupRegistry registry;
    ProductSetupState state;
    state.destinationFolder = "D:\\";
    state.RecordCondition(Installed);
    EXPECT_EQ(Read(kAppPath), Sz("D:\\"));
    EXPECT_EQ(Read(kAppPathDefault), Sz("D:\\Hintrail.exe"));
    EXPECT_EQ(Read(kUninstallString), Sz("D:\\HRSetup.exe"));
}

TEST(SetupStateLayoutFailure, StopsAtTheFirstFailingChange) {
    CleanSetupRegistry registry;
    RecordStaleInstallation();
    // A key with a subkey cannot be deleted by itself: the removal of the App Paths entry fails.
    WriteValue(kMachine, std::string(kAppPathsKey) + "\\Blocker", "x", Sz("x"));
    ProductSetupState state;

    std::string message;
    try {
        state.RecordCondition(NotInstalled);
    } catch (const std::runtime_error& error) {
        message = error.what();
    }

    const std::string subject = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths : ";
    EXPECT_EQ(message.substr(0, subject.size()), subject) << message;
    EXPECT_NE(message.find("\n(エラーコード "), std::string::npos) << message;
    // Written before the failure ...
    EXPECT_EQ(Read(kUserVersion), Sz("1.03"));
    EXPECT_EQ(Read(kMachineVersion), Sz(""));
    EXPECT_EQ(Read(kAppPath), std::nullopt);
    // ... and nothing after it.
    EXPECT_EQ(Read(kDisplayName), Sz("Old"));
    EXPECT_EQ(Read(kUninstallString), Sz("E:\\Old\\HRSetup.exe"));
    EXPECT_EQ(Read(kCondition), Dword(7));
}

}  // namespace
