// Second page of the install path: the destination folder, typed or chosen with the folder
// browser. It is stored in the setup state when the page is left.
#pragma once

#include "setup/wizard_page.h"

class FolderPage : public WizardPage {
public:
    FolderPage();

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    INT_PTR OnCommand(UINT code, WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnKillActive(const NMHDR* header) override;

private:
    // Puts the chosen folder and the product's name into the edit; cancelling changes nothing.
    void BrowseForFolder();
};
