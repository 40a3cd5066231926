// Page of the uninstall path: keep the collected data or remove everything. Keeping is
// preselected unless the recorded installation kept its data already.
#pragma once

#include "setup/wizard_page.h"

class UninstallOptionsPage : public WizardPage {
public:
    UninstallOptionsPage();

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool removeAll = false;  // written when the page is left

protected:
    INT_PTR OnKillActive(const NMHDR* header) override;
};
