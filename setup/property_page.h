// One page of a property sheet: its descriptor, which names the dialog template and carries the
// page object to the shared dialog procedure, and its window while it exists.
#pragma once

#include <windows.h>
#include <commctrl.h>

class WizardSheet;

class PropertyPage {
public:
    // The dialog id is the page's identity: next and back links and searches use it.
    explicit PropertyPage(int dialogId);
    PropertyPage(const PropertyPage&) = delete;
    PropertyPage& operator=(const PropertyPage&) = delete;
    virtual ~PropertyPage() = default;

    // A message of the page's dialog; TRUE for WM_INITDIALOG, FALSE for anything else.
    virtual INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // The Windows 95 form of the descriptor, which every version of the sheet accepts.
    const PROPSHEETPAGEA_V1& Descriptor() const { return descriptor_; }
    int DialogId() const { return dialogId_; }

    HWND Window() const { return window_; }
    void SetWindow(HWND window) { window_ = window; }
    WizardSheet* Sheet() const { return sheet_; }
    void SetSheet(WizardSheet* sheet) { sheet_ = sheet; }

private:
    PROPSHEETPAGEA_V1 descriptor_{sizeof(descriptor_)};
    int dialogId_;
    HWND window_ = nullptr;
    WizardSheet* sheet_ = nullptr;
};
