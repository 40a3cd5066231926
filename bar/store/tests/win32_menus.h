// Test helper: real menus built with CreateMenu and AppendMenuA, destroyed with their owner.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace hr::test {

struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
using ScopedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

inline void AddCommand(HMENU menu, UINT id, const char* text) { AppendMenuA(menu, MF_STRING, id, text); }
inline void AddSeparator(HMENU menu) { AppendMenuA(menu, MF_SEPARATOR, 0, nullptr); }
// The popup then belongs to `menu`: destroying the menu destroys it.
inline HMENU AddPopup(HMENU menu, const char* text) {
    HMENU popup = CreatePopupMenu();
    AppendMenuA(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), text);
    return popup;
}

}  // namespace hr::test
