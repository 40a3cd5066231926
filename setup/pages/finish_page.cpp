#include "setup/pages/finish_page.h"

#include "resources/setup_resource.h"

FinishPage::FinishPage() : WizardPage(IDD_FINISH) {}

INT_PTR FinishPage::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetNextPage(-1);
    return WizardPage::OnMessage(message, wParam, lParam);
}

void FinishPage::UpdateWizardButtons() { PostWizardButtons(PSWIZB_BACK | PSWIZB_FINISH); }
