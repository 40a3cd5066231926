// What the hook window hands its reports to. The store implements these, and is tested
// natively, so they carry no <windows.h>: window and menu handles travel as opaque pointers.
#pragma once

#include <cstdint>

using WindowHandle = void*;  // an HWND
using MenuHandle = void*;    // an HMENU

// The activation listener: the CommandStore.
class ActivationListener {
public:
    // A parentless window became active; the hook window already tracks it.
    virtual void OnActivate(WindowHandle window) = 0;

protected:
    ~ActivationListener() = default;
};

// The menu listener: the record (CSgShadow) of the application in front.
class MenuListener {
public:
    // A popup of the tracked window is opening; position and isWindowMenu are the low and
    // high words of WM_INITMENUPOPUP's lParam.
    virtual void OnInitMenuPopup(MenuHandle menu, unsigned position, bool isWindowMenu) = 0;
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
