// Last page: Back and Finish. Finish ends the wizard, and the entry runs the chosen procedure.
#pragma once

#include "setup/wizard_page.h"

class FinishPage : public WizardPage {
public:
    FinishPage();

    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void UpdateWizardButtons() override;
};
