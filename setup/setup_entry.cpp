#include "setup/setup_entry.h"

#include <exception>

#include "setup/command_line.h"
#include "setup/module_instance.h"
#include "setup/pages/action_page.h"
#include "setup/pages/finish_page.h"
#include "setup/pages/folder_page.h"
#include "setup/pages/shortcut_options_page.h"
#include "setup/pages/uninstall_options_page.h"
#include "setup/procedures.h"
#include "setup/setup_state.h"
#include "setup/wizard_sheet.h"

namespace {

constexpr char kCaption[] = "Hintrail SETUP";
constexpr char kFinished[] = "セットアップが終了しました。\nWindows を再起動してください.";
constexpr char kUnknownFailure[] = "原因不明のエラーで終了しました.";

// The recorded installation is read before the entry runs, as the first page needs it.
[[maybe_unused]] const SetupState& g_recordedState = TheSetupState();

void RunWizard(const char* commandLine) {
    SetupState& state = TheSetupState();
    if (OffersEveryChoice(commandLine)) {
        state.installBlocked = false;
        state.uninstallBlocked = false;
        state.keepDataBlocked = false;
    }

    WizardSheet sheet(0);
    sheet.header.dwFlags |= PSH_WIZARD;
    ActionPage action;
    FolderPage folder;
    ShortcutOptionsPage shortcuts;
    UninstallOptionsPage uninstall;
    FinishPage finish;
    sheet.AddPage(&action);
    sheet.AddPage(&folder);
    sheet.AddPage(&shortcuts);
    sheet.AddPage(&uninstall);
    sheet.AddPage(&finish);

    if (sheet.RunModal() <= 0) return;  // cancelled, or the sheet failed: nothing to say

    // Only the pages on the path that ended with Finish were left with Next.
    if (action.install) {
        InstallProduct(shortcuts.startMenu, shortcuts.startup);
    } else {
        UninstallProduct(uninstall.removeAll);
    }
    MessageBoxA(nullptr, kFinished, kCaption, MB_ICONINFORMATION);
}

}  // namespace

int RunSetup(HINSTANCE instance, const char* commandLine) {
    SetModuleInstance(instance);
    try {
        RunWizard(commandLine);
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), kCaption, MB_ICONERROR);
    } catch (...) {
        MessageBoxA(nullptr, kUnknownFailure, kCaption, MB_ICONERROR);
    }
    return 0;
}
