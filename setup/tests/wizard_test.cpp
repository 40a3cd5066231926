// The setup wizard as a user meets it, driven from this test process: the real property sheet
// of SetupRecorder.exe (Setup.exe with procedures that record their arguments) and of Setup.exe
// itself, over the Wine prefix's real registry.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "bar/tests/bar_process.h"
#include "setup/tests/setup_process.h"
#include "setup/tests/setup_registry.h"
#include "setup/tests/setup_texts.h"

namespace {

using namespace setuptest;

enum Page { kAction = 24100, kFolder = 24200, kShortcuts = 24300, kUninstall = 24400, kFinish = 24500 };
enum Control {
    kInstallChoice = 24101, kUninstallChoice = 24102, kFolderEdit = 24201, kBrowse = 24202,
    kStartMenu = 24301, kStartup = 24302, kKeepData = 24401, kRemoveAll = 24402,
};

const HKEY kUser = HKEY_CURRENT_USER;
const HKEY kMachine = HKEY_LOCAL_MACHINE;

// What earlier runs recorded: nothing greyed (an older version is installed).
void RecordOlderInstallation() {
    WriteValue(kUser, kSetupKey, "Version", Sz("1.02"));
    WriteValue(kMachine, kSetupKey, "Version", Sz("1.02"));
    WriteValue(kUser, kSetupKey, "Condition", Dword(2));
}

void RecordThisInstallation() {  // install greyed
    WriteValue(kUser, kSetupKey, "Version", Sz("1.03"));
    WriteValue(kMachine, kSetupKey, "Version", Sz("1.03"));
    WriteValue(kUser, kSetupKey, "Condition", Dword(2));
}

void RecordKeptData() {  // keep-data uninstall greyed
    WriteValue(kUser, kSetupKey, "Version", Sz("1.03"));
    WriteValue(kMachine, kSetupKey, "Version", Sz("1.03"));
    WriteValue(kUser, kSetupKey, "Condition", Dword(1));
}

// The control has the keyboard focus of the wizard's thread (waiting for the sheet to settle).
bool HasFocus(const SetupProcess& setup, int controlId) {
    return bartest::WaitFor([&] {
        GUITHREADINFO info{sizeof(info)};
        return GetGUIThreadInfo(GetWindowThreadProcessId(setup.Sheet(), nullptr), &info) &&
               info.hwndFocus == setup.Control(controlId);
    });
}

class Wizard : public testing::Test {
protected:
    void SetUp() override {
        char folder[MAX_PATH] = {};
        GetTempPathA(sizeof(folder), folder);
        record_ = std::string(folder) + "setup-record-" + std::to_string(GetCurrentProcessId()) + ".txt";
        DeleteFileA(record_.c_str());
        SetEnvironmentVariableA("HINTRAIL_SETUP_RECORD", record_.c_str());
        SetEnvironmentVariableA("HINTRAIL_SETUP_FAIL", nullptr);
        SetEnvironmentVariableA("HINTRAIL_SETUP_BLOCK", nullptr);
    }
    void TearDown() override { DeleteFileA(record_.c_str()); }

    bool Start(const std::string& arguments = "", const char* program = "SetupRecorder.exe") {
        return setup_.Start(program, arguments) && setup_.WaitForPage(kAction);
    }

    // The procedure calls, one line each: "InstallProduct 1 0 <folder>", "UninstallProduct 1 <folder>".
    std::vector<std::string> Calls() const {
        std::ifstream in(record_, std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    // Finish, the completion box, and a clean exit.
    void FinishAndConfirm() {
        ASSERT_TRUE(setup_.WaitForButtonEnabled(kFinishButton, true));
        setup_.Press(PSBTN_FINISH);
        SetupProcess::Box box;
        ASSERT_TRUE(setup_.CloseMessageBox(&box));
        EXPECT_EQ(box.caption, kCaption);
        EXPECT_EQ(box.text, kFinished);
        DWORD exitCode = 1;
        ASSERT_TRUE(setup_.WaitForExit(&exitCode));
        EXPECT_EQ(exitCode, 0u);
    }

    CleanSetupRegistry registry_;
    SetupProcess setup_;
    std::string record_;
};

TEST_F(Wizard, InstallPathGoesThroughFolderAndShortcutsAndBackFromTheEnd) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kShortcuts));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kShortcuts));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kFolder));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kAction));
}

TEST_F(Wizard, UninstallPathGoesThroughItsOptionsAndBackFromTheEnd) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    setup_.Click(kUninstallChoice);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kUninstall));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kUninstall));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kAction));
    // The same last page reached the other way goes back the other way.
    setup_.Click(kInstallChoice);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kShortcuts));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kShortcuts));
}

TEST_F(Wizard, ButtonsFollowWhereThePageLeads) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(setup_.WaitForButtonEnabled(kNextButton, true));
    EXPECT_TRUE(setup_.WaitForButtonEnabled(kBackButton, false));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    EXPECT_TRUE(setup_.WaitForButtonEnabled(kBackButton, true));
    EXPECT_TRUE(setup_.WaitForButtonEnabled(kNextButton, true));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kShortcuts));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    EXPECT_TRUE(setup_.WaitForButtonEnabled(kBackButton, true));
    EXPECT_TRUE(setup_.WaitForButtonEnabled(kFinishButton, true));
    // Back on the first page again: still no way back from it.
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kShortcuts));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kFolder));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kAction));
    EXPECT_TRUE(setup_.WaitForButtonEnabled(kBackButton, false));
    EXPECT_TRUE(setup_.WaitForButtonEnabled(kNextButton, true));
}

// One step on a page and the explanation it leaves.
struct Step {
    enum Kind { kClick, kFocus } kind;
    int control;
    const std::string* explanation;
};

TEST_F(Wizard, ExplanationFollowsTheControlClickedOrFocused) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    struct PageSteps {
        int page;
        const std::string* initial;
        std::vector<Step> steps;
    };
    const std::vector<PageSteps> walk = {
        {kAction, &kExplainInstall,
         {{Step::kClick, kUninstallChoice, &kExplainUninstall},
          {Step::kFocus, kInstallChoice, &kExplainInstall},
          {Step::kFocus, kUninstallChoice, &kExplainUninstall},
          {Step::kClick, kInstallChoice, &kExplainInstall}}},
        {kFolder, &kExplainFolder,
         {{Step::kFocus, kBrowse, &kExplainFolder},  // no string of its own: unchanged
          {Step::kFocus, kFolderEdit, &kExplainFolder}}},
        {kShortcuts, &kExplainStartMenu,
         {{Step::kClick, kStartup, &kExplainStartup},
          {Step::kFocus, kStartMenu, &kExplainStartMenu},
          {Step::kFocus, kStartup, &kExplainStartup}}},
        {kFinish, &kExplainFinish, {}},
    };
    for (const PageSteps& page : walk) {
        ASSERT_TRUE(setup_.WaitForPage(page.page));
        EXPECT_TRUE(setup_.WaitForExplanation(*page.initial)) << page.page << ": " << setup_.Explanation();
        for (const Step& step : page.steps) {
            if (step.kind == Step::kClick) setup_.Click(step.control);
            else setup_.Focus(step.control);
            EXPECT_TRUE(setup_.WaitForExplanation(*step.explanation))
                << page.page << " after control " << step.control << ": " << setup_.Explanation();
        }
        if (page.page != kFinish) setup_.Press(PSBTN_NEXT);
    }

    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kShortcuts));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kFolder));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kAction));
    setup_.Click(kUninstallChoice);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kUninstall));
    EXPECT_TRUE(setup_.WaitForExplanation(kExplainKeepData));
    setup_.Click(kRemoveAll);
    EXPECT_TRUE(setup_.WaitForExplanation(kExplainRemoveAll));
    setup_.Click(kKeepData);
    EXPECT_TRUE(setup_.WaitForExplanation(kExplainKeepData));
}

TEST_F(Wizard, ThisVersionInstalledOffersUninstallFirst) {
    RecordThisInstallation();
    ASSERT_TRUE(Start());
    EXPECT_FALSE(setup_.IsEnabled(kInstallChoice));
    EXPECT_TRUE(setup_.IsEnabled(kUninstallChoice));
    EXPECT_TRUE(setup_.IsChecked(kUninstallChoice));
    EXPECT_TRUE(HasFocus(setup_, kUninstallChoice));
    EXPECT_TRUE(setup_.WaitForExplanation(kExplainUninstall));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kUninstall));
}

TEST_F(Wizard, NothingToChooseStillLeadsToTheUninstallOptions) {
    SetEnvironmentVariableA("HINTRAIL_SETUP_BLOCK", "install,uninstall");
    ASSERT_TRUE(Start());
    EXPECT_FALSE(setup_.IsEnabled(kInstallChoice));
    EXPECT_FALSE(setup_.IsEnabled(kUninstallChoice));
    EXPECT_TRUE(setup_.IsChecked(kUninstallChoice));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kUninstall));
}

TEST_F(Wizard, KeptDataLeavesOnlyTheCompleteRemoval) {
    RecordKeptData();
    ASSERT_TRUE(Start());
    setup_.Click(kUninstallChoice);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kUninstall));
    EXPECT_FALSE(setup_.IsEnabled(kKeepData));
    EXPECT_TRUE(setup_.IsChecked(kRemoveAll));
    EXPECT_TRUE(HasFocus(setup_, kRemoveAll));
    EXPECT_TRUE(setup_.WaitForExplanation(kExplainRemoveAll));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    FinishAndConfirm();
    EXPECT_EQ(Calls(), std::vector<std::string>{"UninstallProduct 1 C:\\Program Files\\Hintrail"});
}

struct CommandLine {
    const char* name;
    const char* arguments;
    bool installOffered;
};

void PrintTo(const CommandLine& row, std::ostream* out) { *out << row.name; }

class WizardCommandLine : public Wizard, public testing::WithParamInterface<CommandLine> {};

TEST_P(WizardCommandLine, ForceOffersEveryChoice) {
    RecordThisInstallation();
    ASSERT_TRUE(Start(GetParam().arguments));
    EXPECT_EQ(setup_.IsEnabled(kInstallChoice), GetParam().installOffered);
    EXPECT_EQ(setup_.IsChecked(kInstallChoice), GetParam().installOffered);
    EXPECT_TRUE(setup_.IsEnabled(kUninstallChoice));
}

INSTANTIATE_TEST_SUITE_P(Arguments, WizardCommandLine,
                         testing::Values(CommandLine{"Force", "/force", true},
                                         CommandLine{"ForceInsideAWord", "x/forcey", true},
                                         CommandLine{"UpperCase", "/FORCE", false},
                                         CommandLine{"None", "", false}),
                         [](const testing::TestParamInfo<CommandLine>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(Wizard, ForceOffersUninstallWhereNothingIsRecorded) {
    ASSERT_TRUE(Start());
    EXPECT_FALSE(setup_.IsEnabled(kUninstallChoice));
    setup_.Press(PSBTN_CANCEL);
    ASSERT_TRUE(setup_.WaitForExit(nullptr));

    SetupProcess forced;
    ASSERT_TRUE(forced.Start("SetupRecorder.exe", "/force") && forced.WaitForPage(kAction));
    EXPECT_TRUE(forced.IsEnabled(kUninstallChoice));
    EXPECT_TRUE(forced.IsChecked(kInstallChoice));
}

TEST_F(Wizard, ForceAlsoOffersKeepingTheData) {
    RecordKeptData();
    ASSERT_TRUE(Start("/force"));
    setup_.Click(kUninstallChoice);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kUninstall));
    EXPECT_TRUE(setup_.IsEnabled(kKeepData));
    EXPECT_TRUE(setup_.IsChecked(kKeepData));
}

class WizardCancel : public Wizard, public testing::WithParamInterface<int> {};

TEST_P(WizardCancel, EndsWithoutAWordOrAChange) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    const std::vector<int> path = GetParam() == kUninstall
                                      ? std::vector<int>{kUninstall}
                                      : std::vector<int>{kFolder, kShortcuts, kFinish};
    if (GetParam() == kUninstall) setup_.Click(kUninstallChoice);
    for (int page : path) {
        if (setup_.PageId() == GetParam()) break;
        ASSERT_TRUE(setup_.Go(PSBTN_NEXT, page));
    }
    ASSERT_EQ(setup_.PageId(), GetParam());
    setup_.Press(PSBTN_CANCEL);
    DWORD exitCode = 1;
    ASSERT_TRUE(setup_.WaitForExit(&exitCode));  // a message box would keep it running
    EXPECT_EQ(exitCode, 0u);
    EXPECT_TRUE(Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(OnEveryPage, WizardCancel,
                         testing::Values(kAction, kFolder, kShortcuts, kUninstall, kFinish));

TEST_F(Wizard, InstallGetsTheShortcutsAndFolderTheUserLeftThePagesWith) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    EXPECT_EQ(setup_.Text(kFolderEdit), "C:\\Program Files\\Hintrail");
    setup_.SetText(kFolderEdit, "D:\\Tools\\Hintrail");
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kShortcuts));
    EXPECT_TRUE(setup_.IsChecked(kStartMenu));
    EXPECT_TRUE(setup_.IsChecked(kStartup));
    setup_.Click(kStartMenu);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    FinishAndConfirm();
    EXPECT_EQ(Calls(), std::vector<std::string>{"InstallProduct 0 1 D:\\Tools\\Hintrail"});
}

TEST_F(Wizard, ChoicesChangedOnTheWayBackAreTheOnesThatCount) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kShortcuts));
    setup_.Click(kStartMenu);
    setup_.Click(kStartup);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kShortcuts));
    // The page keeps what the user changed, and the user changes it again.
    EXPECT_FALSE(setup_.IsChecked(kStartMenu));
    EXPECT_FALSE(setup_.IsChecked(kStartup));
    setup_.Click(kStartup);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    FinishAndConfirm();
    EXPECT_EQ(Calls(), std::vector<std::string>{"InstallProduct 0 1 C:\\Program Files\\Hintrail"});
}

TEST_F(Wizard, LeavingTheFolderPageBackwardsKeepsTheFolder) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    setup_.SetText(kFolderEdit, "E:\\Elsewhere");
    ASSERT_TRUE(setup_.Go(PSBTN_BACK, kAction));
    setup_.Click(kUninstallChoice);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kUninstall));
    setup_.Click(kRemoveAll);
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    FinishAndConfirm();
    EXPECT_EQ(Calls(), std::vector<std::string>{"UninstallProduct 1 E:\\Elsewhere"});
}

// The folder browser of the page, opened with its button (posted: it is modal).
HWND OpenFolderBrowser(const SetupProcess& setup, HWND* tree) {
    PostMessageA(setup.Control(kBrowse), BM_CLICK, 0, 0);
    HWND browser = nullptr;
    bartest::WaitFor([&] {
        browser = setup.FindOwnWindow("#32770", setup.Sheet());
        return browser && (*tree = FindWindowExA(browser, nullptr, "SysTreeView32", nullptr));
    });
    return *tree ? browser : nullptr;
}

HTREEITEM TreeNext(HWND tree, HTREEITEM item, UINT how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

// The first item below parent (expanded for it) whose text ends with the ending, or null.
HTREEITEM FindBelow(const SetupProcess& setup, HWND tree, HTREEITEM parent, const std::string& ending) {
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    for (HTREEITEM child = TreeNext(tree, parent, TVGN_CHILD); child;
         child = TreeNext(tree, child, TVGN_NEXT)) {
        const std::string text = setup.TreeItemText(tree, child);
        if (text.size() >= ending.size() && text.compare(text.size() - ending.size(), ending.size(), ending) == 0) {
            return child;
        }
    }
    return nullptr;
}

TEST_F(Wizard, CancellingTheFolderBrowserLeavesTheFolder) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    setup_.SetText(kFolderEdit, "D:\\Typed");
    HWND tree = nullptr;
    HWND browser = OpenFolderBrowser(setup_, &tree);
    ASSERT_NE(browser, nullptr);
    PostMessageA(browser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(bartest::WaitFor([&] { return !IsWindow(browser); }));
    EXPECT_EQ(setup_.Text(kFolderEdit), "D:\\Typed");
    EXPECT_TRUE(setup_.WaitForExplanation(kExplainFolder));
}

struct Chosen {
    const char* name;
    std::vector<std::string> below;  // item endings from the computer down
    std::string folder;
};

void PrintTo(const Chosen& row, std::ostream* out) { *out << row.name; }

class WizardFolderBrowser : public Wizard, public testing::WithParamInterface<Chosen> {};

TEST_P(WizardFolderBrowser, PutsTheProductFolderInsideTheChosenOne) {
    RecordOlderInstallation();
    ASSERT_TRUE(Start());
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    HWND tree = nullptr;
    HWND browser = OpenFolderBrowser(setup_, &tree);
    ASSERT_NE(browser, nullptr);
    // The desktop holds the computer, which holds the drives, each named "<label> (C:)".
    const HTREEITEM desktop = TreeNext(tree, nullptr, TVGN_ROOT);
    HTREEITEM item = nullptr;
    for (HTREEITEM top = TreeNext(tree, desktop, TVGN_CHILD); top && !item;
         top = TreeNext(tree, top, TVGN_NEXT)) {
        item = FindBelow(setup_, tree, top, GetParam().below.front());
    }
    for (size_t i = 1; item && i < GetParam().below.size(); ++i) {
        item = FindBelow(setup_, tree, item, GetParam().below[i]);
    }
    ASSERT_NE(item, nullptr);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    PostMessageA(browser, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(bartest::WaitFor([&] { return setup_.Text(kFolderEdit) == GetParam().folder; }))
        << setup_.Text(kFolderEdit);
    // Only leaving the page stores it.
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kShortcuts));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    FinishAndConfirm();
    EXPECT_EQ(Calls(), std::vector<std::string>{"InstallProduct 1 1 " + GetParam().folder});
}

INSTANTIATE_TEST_SUITE_P(
    Folders, WizardFolderBrowser,
    testing::Values(Chosen{"DriveRoot", {"(C:)"}, "C:\\Hintrail"},
                    Chosen{"Folder", {"(C:)", "windows"}, "C:\\windows\\Hintrail"}),
    [](const testing::TestParamInfo<Chosen>& info) { return std::string(info.param.name); });

// Failures of the procedures are shown once, in an error box instead of the completion box.
struct Failure {
    const char* name;
    const char* program;
    const char* fail;
    std::string text;
};

void PrintTo(const Failure& row, std::ostream* out) { *out << row.name; }

class WizardFailure : public Wizard, public testing::WithParamInterface<Failure> {};

TEST_P(WizardFailure, ShowsTheErrorAndEndsWithZero) {
    RecordOlderInstallation();
    if (GetParam().fail) SetEnvironmentVariableA("HINTRAIL_SETUP_FAIL", GetParam().fail);
    ASSERT_TRUE(Start("", GetParam().program));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFolder));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kShortcuts));
    ASSERT_TRUE(setup_.Go(PSBTN_NEXT, kFinish));
    setup_.Press(PSBTN_FINISH);
    SetupProcess::Box box;
    ASSERT_TRUE(setup_.CloseMessageBox(&box));
    EXPECT_EQ(box.caption, kCaption);
    EXPECT_EQ(box.text, GetParam().text);
    DWORD exitCode = 1;
    ASSERT_TRUE(setup_.WaitForExit(&exitCode));  // no completion box after it
    EXPECT_EQ(exitCode, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Procedures, WizardFailure,
    testing::Values(
        Failure{"RuntimeError", "SetupRecorder.exe", "runtime", "記録したエラー : recorded failure"},
        Failure{"SomethingElse", "SetupRecorder.exe", "other", "原因不明のエラーで終了しました."}),
    [](const testing::TestParamInfo<Failure>& info) { return std::string(info.param.name); });

}  // namespace
