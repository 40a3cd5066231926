#include "setup/wizard_page.h"

#include "resources/setup_resource.h"
#include "setup/module_instance.h"
#include "setup/wizard_sheet.h"

namespace {
constexpr int kExplanationCapacity = 2048;
}

INT_PTR WizardPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<const NMHDR*>(lParam));
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        return OnCommand(HIWORD(wParam), wParam, lParam);
    default:
        return 0;
    }
}

INT_PTR WizardPage::OnCommand(UINT code, WPARAM wParam, LPARAM) {
    switch (code) {
    case BN_CLICKED:
    case BN_HILITE:
    case BN_SETFOCUS:
    case EN_SETFOCUS:
        return OnControlActivated(LOWORD(wParam));
    default:
        return 0;
    }
}

INT_PTR WizardPage::OnControlActivated(int controlId) {
    ShowExplanation(controlId);
    return 0;
}

INT_PTR WizardPage::OnNotify(const NMHDR* header) {
    switch (header->code) {
    case PSN_SETACTIVE:
        UpdateWizardButtons();
        return TRUE;
    case PSN_KILLACTIVE:
        return OnKillActive(header);
    case PSN_WIZBACK:
        return OnWizardBack(header);
    case PSN_WIZNEXT:
        return OnWizardNext(header);
    case PSN_WIZFINISH:
        return OnWizardFinish(header);
    default:
        return 0;
    }
}

INT_PTR WizardPage::OnWizardBack(const NMHDR*) {
    SetMessageResult(backPageId);
    return TRUE;
}

INT_PTR WizardPage::OnWizardNext(const NMHDR*) {
    if (nextPageId != 0 && nextPageId != -1) {
        // Every next page is a page of the sheet; Back on it returns here.
        if (auto* target = static_cast<WizardPage*>(Sheet()->FindPage(nextPageId))) {
            target->SetBackPage(DialogId());
        }
    }
    SetMessageResult(nextPageId);
    return TRUE;
}

INT_PTR WizardPage::OnWizardFinish(const NMHDR*) { return TRUE; }

INT_PTR WizardPage::OnKillActive(const NMHDR*) { return TRUE; }

void WizardPage::UpdateWizardButtons() {
    DWORD buttons = 0;
    if (nextPageId != -1) buttons |= PSWIZB_NEXT;
    if (backPageId != -1) buttons |= PSWIZB_BACK;
    PostWizardButtons(buttons);
}

void WizardPage::SetNextPage(int dialogId) {
    nextPageId = dialogId;
    UpdateWizardButtons();
}

void WizardPage::SetBackPage(int dialogId) {
    backPageId = dialogId;
    UpdateWizardButtons();
}

void WizardPage::ShowExplanation(int controlId) {
    char text[kExplanationCapacity];
    if (LoadStringA(ModuleInstance(), static_cast<UINT>(controlId), text, sizeof(text)) > 0) {
        SetDlgItemTextA(Window(), IDC_EXPLANATION, text);
    }
}

void WizardPage::SetMessageResult(LONG_PTR result) {
    SetWindowLongPtrA(Window(), DWLP_MSGRESULT, result);
}

void WizardPage::PostWizardButtons(DWORD buttons) {
    if (!Window()) return;  // posted again when the page becomes active
    PostMessageA(GetParent(Window()), PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(buttons));
}

bool WizardPage::IsChecked(int controlId) const {
    return IsDlgButtonChecked(Window(), controlId) == BST_CHECKED;
}
