#include "setup/wizard_dialog_proc.h"

#include <commctrl.h>

#include <map>

#include "setup/property_page.h"

namespace {

std::map<HWND, PropertyPage*>& PageRegistry() {
    static std::map<HWND, PropertyPage*> registry;
    return registry;
}

// Steps that may throw; result receives the handler's answer as soon as there is one.
void Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    PropertyPage* page = nullptr;
    if (message == WM_INITDIALOG) {
        // lParam is the sheet's own copy of the descriptor, whose lParam is the page.
        const auto* descriptor = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        page = reinterpret_cast<PropertyPage*>(descriptor->lParam);
        PageRegistry()[window] = page;
        page->SetWindow(window);
    } else {
        page = FindRegisteredPage(window);  // none yet for WM_SETFONT, which comes first
    }
    if (page) {
        result = page->OnMessage(message, wParam, lParam);
        if (message == WM_DESTROY) page->SetWindow(nullptr);
    }
    if (message == WM_DESTROY) PageRegistry().erase(window);
}

}  // namespace

PropertyPage* FindRegisteredPage(HWND window) {
    auto found = PageRegistry().find(window);
    return found == PageRegistry().end() ? nullptr : found->second;
}

INT_PTR CALLBACK WizardDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    try {
        Dispatch(window, message, wParam, lParam, result);
    } catch (...) {
        // Nothing may unwind into the dialog manager: the message counts as unhandled.
    }
    return result;
}
