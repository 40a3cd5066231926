#include "setup/pages/uninstall_options_page.h"

#include "resources/setup_resource.h"
#include "setup/setup_state.h"

UninstallOptionsPage::UninstallOptionsPage() : WizardPage(IDD_UNINSTALL_OPTIONS) {}

INT_PTR UninstallOptionsPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const bool keepDataBlocked = TheSetupState().keepDataBlocked;
        EnableWindow(GetDlgItem(Window(), IDC_KEEP_DATA), !keepDataBlocked);
        const int choice = keepDataBlocked ? IDC_REMOVE_ALL : IDC_KEEP_DATA;
        CheckDlgButton(Window(), choice, BST_CHECKED);
        SetFocus(GetDlgItem(Window(), choice));
        OnControlActivated(choice);
        SetNextPage(IDD_FINISH);
    }
    return WizardPage::OnMessage(message, wParam, lParam);
}

INT_PTR UninstallOptionsPage::OnKillActive(const NMHDR*) {
    removeAll = IsChecked(IDC_REMOVE_ALL);
    return TRUE;
}
