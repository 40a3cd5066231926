#include "setup/pages/action_page.h"

#include "resources/setup_resource.h"
#include "setup/setup_state.h"

ActionPage::ActionPage()
    : WizardPage(IDD_ACTION), installNextPageId(IDD_FOLDER), uninstallNextPageId(IDD_UNINSTALL_OPTIONS) {}

INT_PTR ActionPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        const SetupState& state = TheSetupState();
        EnableWindow(GetDlgItem(Window(), IDC_INSTALL), !state.installBlocked);
        EnableWindow(GetDlgItem(Window(), IDC_UNINSTALL), !state.uninstallBlocked);
        // The preselected choice is checked even when it is greyed.
        const int choice = state.installBlocked ? IDC_UNINSTALL : IDC_INSTALL;
        CheckDlgButton(Window(), choice, BST_CHECKED);
        SetFocus(GetDlgItem(Window(), choice));
        OnControlActivated(choice);
    }
    return WizardPage::OnMessage(message, wParam, lParam);
}

INT_PTR ActionPage::OnControlActivated(int controlId) {
    if (controlId == IDC_INSTALL) SetNextPage(installNextPageId);
    if (controlId == IDC_UNINSTALL) SetNextPage(uninstallNextPageId);
    ShowExplanation(controlId);
    return 0;
}

INT_PTR ActionPage::OnKillActive(const NMHDR*) {
    install = IsChecked(IDC_INSTALL);
    return TRUE;
}
