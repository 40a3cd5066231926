// Setup.exe itself, started from the medium the build made, driven through its wizard as a user
// would: one install and one complete removal, each ended with the completion box; and the
// installed bar, started as the shell starts it, learning from a program in front.
#include <windows.h>
// After windows.h, which it needs.
#include <prsht.h>

#include <gtest/gtest.h>

#include <shellapi.h>

#include "bar/tests/bar_process.h"

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

// Whether the key is there in the registry view given (KEY_WOW64_32KEY or KEY_WOW64_64KEY).
bool KeyExistsInView(HKEY root, const std::string& key, REGSAM view) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ | view, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

// The installed bar, started by its name alone as the command prompt's "start" starts it: the
// shell finds it through its App Paths entry (no Hintrail.exe in the folders searched before,
// the command prompt's and the current one). Closed at the end.
class BarStartedByName {
public:
    explicit BarStartedByName(const std::string& currentFolder) {
        std::string commandLine = "cmd.exe /c start \"\" Hintrail.exe";
        STARTUPINFOA startup{sizeof(startup)};
        PROCESS_INFORMATION starter{};
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                            nullptr, currentFolder.c_str(), &startup, &starter)) {
            return;
        }
        CloseHandle(starter.hThread);
        CloseHandle(starter.hProcess);
        bartest::WaitFor([&] { return (m_bar = FindBar()) != nullptr; });
        DWORD processId = 0;
        if (m_bar) GetWindowThreadProcessId(m_bar, &processId);
        m_process.Reset(OpenProcess(
            PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId));
    }
    ~BarStartedByName() {
        if (m_bar) PostMessageA(m_bar, WM_CLOSE, 0, 0);
        if (m_process && WaitForSingleObject(m_process.Get(), 20000) != WAIT_OBJECT_0) {
            TerminateProcess(m_process.Get(), 1);
        }
    }
    BarStartedByName(const BarStartedByName&) = delete;
    BarStartedByName& operator=(const BarStartedByName&) = delete;

    HWND Bar() const { return m_bar; }
    std::string ProgramPath() const {
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (!m_process || !QueryFullProcessImageNameA(m_process.Get(), 0, path, &size)) return {};
        return path;
    }

private:
    // A visible bar window: its class is "HintrailAppBar" and a colour index.
    static HWND FindBar() {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            char className[64] = {};
            GetClassNameA(w, className, sizeof(className));
            if (IsWindowVisible(w) && std::string(className).rfind("HintrailAppBar", 0) == 0)
                return w;
        }
        return nullptr;
    }

    ScopedObject m_process;
    HWND m_bar = nullptr;
};

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

// Setup.exe from the built medium installs into the folder, with the Start-menu shortcut only.
void InstallThroughTheWizard(const std::string& destination) {
    SetupProcess setup;
    ASSERT_TRUE(setup.Start("..\\medium\\Setup.exe", ""));
    ASSERT_TRUE(setup.WaitForPage(kAction));
    ASSERT_TRUE(setup.Go(PSBTN_NEXT, kFolder));
    setup.SetText(kFolderEdit, destination);
    ASSERT_TRUE(setup.Go(PSBTN_NEXT, kShortcuts));
    setup.Click(kStartup);
    FinishAndConfirm(setup);
}

TEST_F(SetupProgram, InstallsFromTheMediumAndRemovesEverythingAgain) {
    ASSERT_NO_FATAL_FAILURE(InstallThroughTheWizard(Destination()));
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
    // Nothing of the installation is recorded any more, in either registry view; the user's
    // Setup key keeps only the record that everything was removed.
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        EXPECT_FALSE(KeyExistsInView(HKEY_LOCAL_MACHINE, setuptest::kAppPathsKey, view)) << view;
        EXPECT_FALSE(KeyExistsInView(HKEY_LOCAL_MACHINE, setuptest::kUninstallKey, view)) << view;
    }
    EXPECT_EQ(setuptest::ReadValue(HKEY_LOCAL_MACHINE, setuptest::kSetupKey, "Version"),
              setuptest::Sz(""));
    EXPECT_FALSE(KeyExistsInView(HKEY_LOCAL_MACHINE, setuptest::kSetupKey, KEY_WOW64_32KEY))
        << "a 64-bit Windows keeps the record in the 64-bit view only";
}

// Wine keeps a hook library mapped in every process that ran its hooks (this test program and
// Wine's desktop process among them) until that process ends, which its restart does not do, so
// the restart could not delete the installed library: the removal is tested above, without
// starting the installed bar.
TEST_F(SetupProgram, TheInstalledBarStartedThroughAppPathsDocksAndLearnsAProgramOfItsBitness) {
    ASSERT_NO_FATAL_FAILURE(InstallThroughTheWizard(Destination()));
    // The installed bar, of this build's bitness, docks at the top and learns notepad's menu,
    // which the installed hook library reads inside notepad, a program of the same bitness.
    bartest::ClearPlacement();
    bartest::RemoveBarDataFiles();
    {
        bartest::FrontTaker front;
        BarStartedByName bar(Path(""));
        ASSERT_NE(bar.Bar(), nullptr);
        EXPECT_EQ(bar.ProgramPath(), Installed("Hintrail.exe")) << "found through App Paths";
        bartest::TestAppBar other;
        EXPECT_TRUE(bartest::WaitFor([&] { return other.Query(ABE_TOP, 20).top > 0; }))
            << "docked at the top: a later bar goes below it";
        bartest::RealProgram notepad("notepad.exe", "Notepad");
        ASSERT_NE(notepad.Window(), nullptr);
        ASSERT_TRUE(notepad.SwitchTo(front));
        EXPECT_TRUE(bartest::WaitFor([&] {
            return bartest::WindowText(bar.Bar()).find("新規作成<Ctrl+N>  ") != std::string::npos;
        })) << bartest::WindowText(bar.Bar());
    }
    bartest::ClearPlacement();
}

}  // namespace
}  // namespace hr::test
