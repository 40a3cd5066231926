// Third page of the install path: whether to add the program to the Start menu and to the
// Startup folder. Both start checked.
#pragma once

#include "setup/wizard_page.h"

class ShortcutOptionsPage : public WizardPage {
public:
    ShortcutOptionsPage();

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool startMenu = false;  // written when the page is left
    bool startup = false;

protected:
    INT_PTR OnKillActive(const NMHDR* header) override;
};
