// The bar program's end of the hook library's report protocol. Constructing a HookWindow creates
// the hidden window, which switches the system-wide hooks on; destroying it switches them off.
// Reports then reach two listeners that the HookWindow does not own:
//   - the activation listener (the CommandStore), set by the application with AttachStore once
//     the store is loaded, and cleared with DetachStore before the store is deleted;
//   - the menu listener (the record of the application in front), switched by the store itself
//     through AttachShadow and DetachShadow.
// Reports that arrive while a listener is missing only move the tracked window. Exceptions of a
// listener are shown to the user and never reach the reporting program.
#pragma once

#include <windows.h>

#include <memory>

#include "bar/archive/object.h"
#include "bar/hook/hook_listeners.h"

class HookReceiverWindow;

class HookWindow : public fw::CObject, public MenuListenerSlot {
public:
    // Throws std::runtime_error with the system's text if the hidden window cannot be made.
    HookWindow();
    ~HookWindow() override;

    void AttachStore(ActivationListener* store) { m_pStore = store; }
    void DetachStore() { m_pStore = nullptr; }
    void AttachShadow(MenuListener* shadow) override { m_pShadow = shadow; }
    void DetachShadow() override { m_pShadow = nullptr; }

    // One report of the hook library: WM_NCACTIVATE makes the window the tracked window and
    // then tells the store; WM_INITMENUPOPUP and WM_COMMAND go to the menu listener; anything
    // else (WM_SETTEXT among them) has no effect. menu is the menu that the program read for
    // the report (the menu bar, or the popup), or null.
    void OnReport(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                  const ReportedMenu* menu = nullptr) noexcept;

    // The hidden window, and the window whose menu and command events the library reports.
    HWND GetSafeHwnd() const;
    HWND TrackedWindow() const;

private:
    std::unique_ptr<HookReceiverWindow> m_pReceiver;
    ActivationListener* m_pStore = nullptr;
    MenuListener* m_pShadow = nullptr;
};
