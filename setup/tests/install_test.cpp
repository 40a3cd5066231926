// Installing and uninstalling end to end: the real procedures, run from a copy of the medium
// the build made, over the Wine prefix's real registry, files and restart.
#include <gtest/gtest.h>

#include "common/system_error.h"
#include "common/tests/scratch_folder.h"
#include "common/win_handles.h"
#include "install_fixture.h"
#include "setup/shell_folders.h"
#include "setup_files.h"
#include "shell_link_reader.h"

namespace hr::test {
namespace {

using setuptest::Dword;
using setuptest::kAppPathsKey;
using setuptest::KeyExists;
using setuptest::kSetupKey;
using setuptest::kUninstallKey;
using setuptest::ReadValue;
using setuptest::StoredValue;
using setuptest::Sz;

const char kFailed[] = "セットアップに失敗しました.";

std::optional<StoredValue> Value(HKEY root, const char* key, const char* name) {
    return ReadValue(root, key, name);
}

// The registry layout of the condition Installed for the folder as typed.
void ExpectInstalledRecord(const std::string& folder) {
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kSetupKey, "Version"), Sz("1.03"));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kSetupKey, "Version"), Sz("1.03"));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kAppPathsKey, "Path"), Sz(folder));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kAppPathsKey, ""), Sz(folder + "\\Hintrail.exe"));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"), Sz("Hintrail"));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"),
              Sz(folder + "\\HRSetup.exe"));
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kSetupKey, "Condition"), Dword(2));
}

void ExpectShortcutTo(const std::string& linkPath, const std::string& program) {
    const ShellLinkContents link = ReadShellLink(linkPath);
    EXPECT_TRUE(link.loaded) << linkPath;
    EXPECT_EQ(link.target, program);
    EXPECT_EQ(link.description, "Hintrail");
    EXPECT_EQ(link.iconPath, program);
    EXPECT_EQ(link.iconIndex, 0);
}

TEST_F(InstallTest, IntoAnEmptyFolderCopiesEveryFileWithItsTimesAndRecordsIt) {
    ASSERT_EQ(Install(Destination()), "");

    for (const MediumFile& file : kMediumFiles) {
        SCOPED_TRACE(file.installed);
        const FileTimes source = TimesOf(Medium(file.medium));
        const FileTimes copy = TimesOf(Installed(file.installed));
        EXPECT_EQ(copy.creation, source.lastWrite);
        EXPECT_EQ(copy.lastAccess, source.lastWrite);
        EXPECT_EQ(copy.lastWrite, source.lastWrite);
        EXPECT_EQ(ReadBytes(Installed(file.installed)), ReadBytes(Medium(file.medium)));
        EXPECT_EQ(ReadBytes(Installed(file.installed) + "_"), "<missing>");
    }
    EXPECT_TRUE(PendingRenames().empty());
    EXPECT_EQ(WinInit(), "<missing>");
    ExpectInstalledRecord(Destination());
    ExpectShortcutTo(shellFolders_.programs + "\\Hintrail.lnk", Installed("Hintrail.exe"));
    ExpectShortcutTo(shellFolders_.startup + "\\Hintrail.lnk", Installed("Hintrail.exe"));
}

TEST_F(InstallTest, AFolderTypedWithSlashesOrAFinalSeparatorIsTheSameFolder) {
    // The scratch folder's own path as the system spells it, then the rest typed loosely.
    std::string typed = Path("program files/hintrail/");
    for (char& c : typed) {
        if (c == '\\') c = '/';
    }
    ASSERT_EQ(Install(typed, true, false), "");
    const MediumFile& bar = kMediumFiles[1];
    EXPECT_EQ(ReadBytes(Installed(bar.installed)), ReadBytes(Medium(bar.medium)));
    // The shortcut is given the folder with '\' after the first separator, which stays as typed;
    // the shell keeps the icon's path so and spells the target it resolves with '\' only. The
    // registry names the folder as typed.
    const std::string program = Path("program files\\hintrail\\Hintrail.exe");
    const ShellLinkContents link = ReadShellLink(shellFolders_.programs + "\\Hintrail.lnk");
    EXPECT_EQ(link.target, program);
    EXPECT_EQ(link.iconPath, program.substr(0, 2) + "/" + program.substr(3));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kAppPathsKey, ""), Sz(typed + "Hintrail.exe"));
}

TEST_F(InstallTest, NoShortcutsAskedNoShellFolderRead) {
    for (const char* name : {"Programs", "Startup"}) {
        setuptest::RemoveValue(HKEY_CURRENT_USER, kShellFoldersKey, name);
    }
    ASSERT_EQ(Install(Destination(), false, false), "");
    ExpectInstalledRecord(Destination());
}

TEST_F(InstallTest, AgainWritesBesideEveryFileButTheDataFileAndReplacesThemAtTheRestart) {
    ASSERT_EQ(Install(Destination()), "");
    for (const MediumFile& file : kMediumFiles) WriteBytes(Installed(file.installed), "old");
    ClearPendingRenames();

    ASSERT_EQ(Install(Destination()), "");

    std::vector<std::string> expected;
    for (const MediumFile& file : kMediumFiles) {
        SCOPED_TRACE(file.installed);
        const std::string target = Installed(file.installed);
        EXPECT_EQ(ReadBytes(target), "old");
        if (std::string(file.installed) == "Hintrail.dat") {
            EXPECT_EQ(ReadBytes(target + "_"), "<missing>");
            continue;
        }
        EXPECT_EQ(ReadBytes(target + "_"), ReadBytes(Medium(file.medium)));
        expected.insert(expected.end(), {Listed(target), "", Listed(target + "_"), Listed(target)});
    }
    EXPECT_EQ(PendingRenames(), expected);  // each deletion before its rename

    ASSERT_TRUE(RestartWindows());
    for (const MediumFile& file : kMediumFiles) {
        SCOPED_TRACE(file.installed);
        const std::string target = Installed(file.installed);
        const bool kept = std::string(file.installed) == "Hintrail.dat";
        EXPECT_EQ(ReadBytes(target), kept ? "old" : ReadBytes(Medium(file.medium)));
        EXPECT_EQ(ReadBytes(target + "_"), "<missing>");
    }
}

TEST_F(InstallTest, AMissingSourceAsksAndRetryAfterItIsBackSucceeds) {
    const std::string help = Medium("Hintrail.hl_");
    const std::string bytes = ReadBytes(help);
    DeleteFileA(help.c_str());

    ASSERT_EQ(Install(Destination(), true, true, {{IDRETRY, [&] { WriteBytes(help, bytes); }}}),
              "");
    EXPECT_EQ(boxes_,
              (std::vector<std::string>{help + " : " + SystemErrorText(ERROR_FILE_NOT_FOUND)}));
    EXPECT_EQ(ReadBytes(Installed("Hintrail.hlp")), bytes);
    ExpectInstalledRecord(Destination());
}

TEST_F(InstallTest, CancelAtAMissingSourceEndsWithoutARecordOrShortcuts) {
    DeleteFileA(Medium("ReadMe.txt").c_str());

    EXPECT_EQ(Install(Destination(), true, true, {{IDCANCEL, nullptr}}), kFailed);
    EXPECT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(ReadBytes(Installed("Hintrail.cnt")), ReadBytes(Medium("Hintrail.cn_")));
    EXPECT_FALSE(Exists(Installed("HRSetup.exe")));
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, kSetupKey, "Condition"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(Exists(shellFolders_.programs + "\\Hintrail.lnk"));
}

TEST_F(InstallTest, ADestinationUnderAFileFailsBeforeAnythingIsCopied) {
    File("Busy", "a file where a folder belongs");
    EXPECT_EQ(Install(Path("Busy\\Hintrail")), Path("Busy") + " : フォルダではありません.");
    EXPECT_TRUE(boxes_.empty());
    EXPECT_FALSE(Value(HKEY_CURRENT_USER, kSetupKey, "Condition"));
}

TEST_F(InstallTest, RemovesTheLegacyInstallersFilesOnlyAfterVersionOnePointZero) {
    const char* const legacy[] = {"_DEISREG.ISR", "_ISREG32.DLL", "DeIsL1.isu"};
    for (const char* version : {"1.0", "1.00", "1.0 "}) {
        SCOPED_TRACE(version);
        CreateDirectoryA(Path("Program Files").c_str(), nullptr);
        CreateDirectoryA(Destination().c_str(), nullptr);
        for (const char* name : legacy) File("Program Files\\Hintrail\\" + std::string(name), "x");
        setuptest::WriteValue(HKEY_LOCAL_MACHINE, kSetupKey, "Version", Sz(version));

        ASSERT_EQ(Install(Destination(), false, false), "");
        for (const char* name : legacy) {
            EXPECT_EQ(Exists(Installed(name)), std::string(version) != "1.0") << name;
        }
        for (const MediumFile& file : kMediumFiles) DeleteFileA(Installed(file.installed).c_str());
    }
}

TEST_F(InstallTest, AMissingProgramsFolderValueEndsAfterTheRecordWithoutShortcuts) {
    setuptest::RemoveValue(HKEY_CURRENT_USER, kShellFoldersKey, "Programs");
    EXPECT_EQ(Install(Destination()),
              std::string(kShellFoldersKey) + " : " + SystemErrorText(ERROR_FILE_NOT_FOUND));
    ExpectInstalledRecord(Destination());
    EXPECT_FALSE(Exists(shellFolders_.startup + "\\Hintrail.lnk"));
}

TEST_F(InstallTest, AShortcutThatCannotBeWrittenEndsWithItsPath) {
    const std::string missing = Path("no such folder");
    setuptest::WriteValue(HKEY_CURRENT_USER, kShellFoldersKey, "Startup", Sz(missing));
    const std::string error = Install(Destination());
    EXPECT_EQ(error.rfind(missing + "\\Hintrail.lnk : ", 0), 0u) << error;
    ExpectInstalledRecord(Destination());
    ExpectShortcutTo(shellFolders_.programs + "\\Hintrail.lnk", Installed("Hintrail.exe"));
}

// What each uninstall mode leaves, through the restart.
struct UninstallCase {
    const char* name;
    bool removeAll;
    bool gidStays;
    bool dataStays;
    DWORD condition;
};

class UninstallMode : public InstallTest, public testing::WithParamInterface<UninstallCase> {};

TEST_P(UninstallMode, LeavesWhatItsModeKeeps) {
    const UninstallCase& c = GetParam();
    ASSERT_EQ(Install(Destination()), "");
    File("Program Files\\Hintrail\\Hintrail.GID", "help index");
    const std::string userData = shellFolders_.appData + "\\OrrinLabs\\Hintrail\\Hintrail.dat";
    CreateDirectoryA((shellFolders_.appData + "\\OrrinLabs").c_str(), nullptr);
    CreateDirectoryA((shellFolders_.appData + "\\OrrinLabs\\Hintrail").c_str(), nullptr);
    WriteBytes(userData, "collected");
    File("Program Files\\Hintrail\\Hintrail.exe_", "a copy still waiting for its restart");
    ClearPendingRenames();

    ASSERT_EQ(Uninstall(c.removeAll), "");

    // At once.
    EXPECT_EQ(Exists(Installed("Hintrail.GID")), c.gidStays);
    for (const char* name : {"Hintrail.cnt", "Hintrail.hlp", "ReadMe.txt"}) {
        EXPECT_FALSE(Exists(Installed(name))) << name;
    }
    EXPECT_FALSE(Exists(shellFolders_.programs + "\\Hintrail.lnk"));
    EXPECT_FALSE(Exists(shellFolders_.startup + "\\Hintrail.lnk"));
    // At the restart, in this order.
    std::vector<std::string> expected;
    if (c.removeAll) {
        expected = {Listed(Installed("Hintrail.dat")), "", Listed(userData), ""};
    }
    for (const char* name : {"Hintrail.exe", "HRSetup.exe", kInstalledLibrary}) {
        EXPECT_TRUE(Exists(Installed(name))) << name;
        expected.insert(expected.end(), {Listed(Installed(name)), ""});
    }
    EXPECT_EQ(PendingRenames(), expected);
    // The record.
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kSetupKey, "Condition"), Dword(c.condition));
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kSetupKey, "Version"), Sz("1.03"));
    EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kSetupKey, "Version"), Sz(c.removeAll ? "" : "1.03"));
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, kAppPathsKey), !c.removeAll);
    if (!c.removeAll) {
        EXPECT_EQ(Value(HKEY_LOCAL_MACHINE, kAppPathsKey, "Path"), Sz(Destination()));
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));

    ASSERT_TRUE(RestartWindows());
    for (const char* name : {"Hintrail.exe", "HRSetup.exe", kInstalledLibrary}) {
        EXPECT_FALSE(Exists(Installed(name))) << name;
    }
    EXPECT_EQ(Exists(Installed("Hintrail.dat")), c.dataStays);
    EXPECT_EQ(Exists(userData), c.dataStays);
    EXPECT_EQ(Exists(Installed("Hintrail.GID")), c.gidStays);
    EXPECT_TRUE(Exists(Installed("Hintrail.exe_")));
    EXPECT_TRUE(IsFolder(Destination()));
    EXPECT_TRUE(IsFolder(shellFolders_.appData + "\\OrrinLabs\\Hintrail"));
}

INSTANTIATE_TEST_SUITE_P(Modes, UninstallMode,
                         testing::Values(UninstallCase{"KeepData", false, true, true, 1},
                                         UninstallCase{"RemoveAll", true, false, false, 0}),
                         [](const testing::TestParamInfo<UninstallCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(InstallTest, UninstallAsksAboutAFileInUse) {
    ASSERT_EQ(Install(Destination(), false, false), "");
    ScopedFile holder(CreateFileA(Installed("ReadMe.txt").c_str(), GENERIC_READ, 0, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    EXPECT_EQ(Uninstall(true, {{IDRETRY, nullptr}, {IDCANCEL, nullptr}}), kFailed);
    EXPECT_EQ(boxes_.size(), 2u);
    EXPECT_TRUE(PendingRenames().empty());
    EXPECT_EQ(Value(HKEY_CURRENT_USER, kSetupKey, "Condition"), Dword(2));
}

}  // namespace
}  // namespace hr::test
