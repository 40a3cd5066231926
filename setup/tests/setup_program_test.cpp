// Setup.exe itself, started from the medium the build made, driven through its wizard as a user
// would: one install and one complete removal, each ended with the completion box.
#include <windows.h>
// After windows.h, which it needs.
#include <prsht.h>

#include <gtest/gtest.h>

#include "common/tests/scratch_folder.h"
#include "install_fixture.h"
#include "setup/tests/setup_process.h"
#include "setup_files.h"
#include "shell_link_reader.h"

namespace hr::test {
namespace {

using setuptest::SetupProcess;

enum Page {
    kAction = 24100,
    kFolder = 24200,
    kShortcuts = 24300,
    kUninstall = 24400,
    kFinish = 24500
};
enum Control {
    kUninstallChoice = 24102,
    kFolderEdit = 24201,
    kStartup = 24302,
    kRemoveAll = 24402
};

const char kFinished[] = "セットアップが終了しました。\nWindows を再起動してください.";

using SetupProgram = InstallTest;

// Finish, the completion box answered, and the program's end.
void FinishAndConfirm(SetupProcess& setup) {
    ASSERT_TRUE(setup.Go(PSBTN_NEXT, kFinish));
    setup.Press(PSBTN_FINISH);
    SetupProcess::Box box;
    ASSERT_TRUE(setup.CloseMessageBox(&box));
    EXPECT_EQ(box.caption, "Hintrail SETUP");
    EXPECT_EQ(box.text, kFinished);
    DWORD exitCode = 1;
    ASSERT_TRUE(setup.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST_F(SetupProgram, InstallsFromTheMediumAndRemovesEverythingAgain) {
    {
        SetupProcess setup;
        ASSERT_TRUE(setup.Start("..\\medium\\Setup.exe", ""));
        ASSERT_TRUE(setup.WaitForPage(kAction));
        ASSERT_TRUE(setup.Go(PSBTN_NEXT, kFolder));
        setup.SetText(kFolderEdit, Destination());
        ASSERT_TRUE(setup.Go(PSBTN_NEXT, kShortcuts));
        setup.Click(kStartup);  // the Start-menu shortcut only
        FinishAndConfirm(setup);
    }
    for (const MediumFile& file : kMediumFiles) {
        EXPECT_EQ(ReadBytes(Installed(file.installed)),
                  ReadBytes(BuiltMediumFolder() + file.medium))
            << file.installed;
    }
    EXPECT_EQ(ReadShellLink(shellFolders_.programs + "\\Hintrail.lnk").target,
              Installed("Hintrail.exe"));
    EXPECT_FALSE(Exists(shellFolders_.startup + "\\Hintrail.lnk"));
    EXPECT_EQ(setuptest::ReadValue(HKEY_CURRENT_USER, setuptest::kSetupKey, "Condition"),
              setuptest::Dword(2));

    {
        SetupProcess setup;
        ASSERT_TRUE(setup.Start("..\\medium\\Setup.exe", ""));
        ASSERT_TRUE(setup.WaitForPage(kAction));
        setup.Click(kUninstallChoice);
        ASSERT_TRUE(setup.Go(PSBTN_NEXT, kUninstall));
        setup.Click(kRemoveAll);
        FinishAndConfirm(setup);
    }
    EXPECT_FALSE(Exists(Installed("Hintrail.hlp")));
    EXPECT_FALSE(Exists(shellFolders_.programs + "\\Hintrail.lnk"));
    EXPECT_EQ(setuptest::ReadValue(HKEY_CURRENT_USER, setuptest::kSetupKey, "Condition"),
              setuptest::Dword(0));
    ASSERT_TRUE(RestartWindows());
    for (const MediumFile& file : kMediumFiles) {
        EXPECT_FALSE(Exists(Installed(file.installed))) << file.installed;
    }
}

}  // namespace
}  // namespace hr::test
