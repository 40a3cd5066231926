// First page: install or uninstall. Next leads to the folder page after install was last
// clicked or focused, to the uninstall options after uninstall.
#pragma once

#include "setup/wizard_page.h"

class ActionPage : public WizardPage {
public:
    ActionPage();

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool install = false;  // written when the page is left
    int installNextPageId;
    int uninstallNextPageId;

protected:
    INT_PTR OnControlActivated(int controlId) override;
    INT_PTR OnKillActive(const NMHDR* header) override;
};
