#include "setup/property_page.h"

#include "setup/module_instance.h"
#include "setup/wizard_dialog_proc.h"

#ifndef _WIN64
static_assert(sizeof(PROPSHEETPAGEA_V1) == 40, "the Windows 95 page descriptor is 40 bytes");
#endif

PropertyPage::PropertyPage(int dialogId) : dialogId_(dialogId) {
    descriptor_.dwFlags = 0;  // the page title is the template's caption
    descriptor_.hInstance = ModuleInstance();
    descriptor_.pszTemplate = MAKEINTRESOURCEA(dialogId);
    descriptor_.pfnDlgProc = WizardDialogProc;
    descriptor_.lParam = reinterpret_cast<LPARAM>(this);
}

INT_PTR PropertyPage::OnMessage(UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}
