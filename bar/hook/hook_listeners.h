// What the hook window hands its reports to. The store implements these, and is tested
// natively, so they carry no <windows.h>: window and menu handles travel as opaque pointers.
#pragma once

#include <cstdint>

#include "bar/hook/reported_menu.h"

using WindowHandle = void*;  // an HWND
using MenuHandle = void*;    // an HMENU

// The activation listener: the CommandStore.
class ActivationListener {
public:
    // A parentless window became active; the hook window already tracks it. menuBar is its menu
    // bar as its program read it, or null when the report carried no items.
    virtual void OnActivate(WindowHandle window, const ReportedMenu* menuBar) = 0;

protected:
    ~ActivationListener() = default;
};

// The menu listener: the record (CSgShadow) of the application in front.
class MenuListener {
public:
    // A popup of the tracked window is opening; items are its items as its program read them,
    // or null when the report carried none; position and isWindowMenu are the low and high
    // words of WM_INITMENUPOPUP's lParam.
    virtual void OnInitMenuPopup(MenuHandle menu, const ReportedMenu* items, unsigned position,
                                 bool isWindowMenu) = 0;
    // The tracked window got WM_COMMAND with notification code 0 or 1 (HIWORD(wParam)).
    virtual void OnCommand(std::uintptr_t wParam, unsigned notificationCode) = 0;

protected:
    ~MenuListener() = default;
};

// Where the store seats the menu listener: the HookWindow.
class MenuListenerSlot {
public:
    virtual void AttachShadow(MenuListener* shadow) = 0;
    virtual void DetachShadow() = 0;

protected:
    ~MenuListenerSlot() = default;
};
