#include "setup/pages/shortcut_options_page.h"

#include "resources/setup_resource.h"

ShortcutOptionsPage::ShortcutOptionsPage() : WizardPage(IDD_SHORTCUT_OPTIONS) {}

INT_PTR ShortcutOptionsPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        CheckDlgButton(Window(), IDC_START_MENU, BST_CHECKED);
        CheckDlgButton(Window(), IDC_STARTUP, BST_CHECKED);
        OnControlActivated(IDC_START_MENU);
        SetNextPage(IDD_FINISH);
    }
    return WizardPage::OnMessage(message, wParam, lParam);
}

INT_PTR ShortcutOptionsPage::OnKillActive(const NMHDR*) {
    startMenu = IsChecked(IDC_START_MENU);
    startup = IsChecked(IDC_STARTUP);
    return TRUE;
}
