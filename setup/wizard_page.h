// A page of the wizard: where Next and Back lead, the buttons that follow from that, and the
// explanation text that follows the control the user last clicked or focused.
#pragma once

#include "setup/property_page.h"

class WizardPage : public PropertyPage {
public:
    using PropertyPage::PropertyPage;

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Next leads to the page of this dialog id; -1: nowhere (no Next button).
    void SetNextPage(int dialogId);
    // Back leads to the page of this dialog id; -1: nowhere (no Back button).
    void SetBackPage(int dialogId);
    // Shows the control's explanation string in the explanation static; a control without one
    // leaves the text as it is.
    void ShowExplanation(int controlId);

protected:
    virtual INT_PTR OnCommand(UINT code, WPARAM wParam, LPARAM lParam);
    virtual INT_PTR OnControlActivated(int controlId);
    virtual INT_PTR OnNotify(const NMHDR* header);
    virtual INT_PTR OnWizardBack(const NMHDR* header);
    virtual INT_PTR OnWizardNext(const NMHDR* header);
    virtual INT_PTR OnWizardFinish(const NMHDR* header);
    // Concrete pages store their choices here, when the user leaves them with Next or Back.
    virtual INT_PTR OnKillActive(const NMHDR* header);
    virtual void UpdateWizardButtons();

    // The answer to a notification travels in the dialog's message result.
    void SetMessageResult(LONG_PTR result);
    // Posted, not sent: the sheet takes the buttons after the handler that asked has returned.
    void PostWizardButtons(DWORD buttons);
    bool IsChecked(int controlId) const;

    int nextPageId = -1;
    int backPageId = -1;
};
