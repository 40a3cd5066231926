// The wizard's property sheet: its header and its pages in display order (not owned; the pages
// live beside the sheet).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

class PropertyPage;

class WizardSheet {
public:
    // captionId 0: no caption of its own (a wizard shows the page's).
    explicit WizardSheet(UINT captionId);
    WizardSheet(const WizardSheet&) = delete;
    WizardSheet& operator=(const WizardSheet&) = delete;
    virtual ~WizardSheet() = default;

    void AddPage(PropertyPage* page);
    // The first page in display order with this dialog id, or null.
    PropertyPage* FindPage(int dialogId) const;
    // PropertySheetA's result: positive after Finish, 0 after Cancel, -1 when it failed.
    INT_PTR RunModal();

    PROPSHEETHEADERA header;

private:
    std::vector<PropertyPage*> pages_;
};
