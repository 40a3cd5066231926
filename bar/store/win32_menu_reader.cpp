#include "bar/store/win32_menu_reader.h"

#include <windows.h>

#include <cstring>

namespace {
HMENU Menu(MenuHandle menu) { return static_cast<HMENU>(menu); }
}  // namespace

int Win32MenuReader::ItemCount(MenuHandle menu) { return GetMenuItemCount(Menu(menu)); }

std::uint32_t Win32MenuReader::ItemId(MenuHandle menu, int position) { return GetMenuItemID(Menu(menu), position); }

std::string Win32MenuReader::ItemText(MenuHandle menu, int position) {
    char text[256] = {};
    GetMenuStringA(Menu(menu), position, text, sizeof(text), MF_BYPOSITION);
    // At most 255 bytes: Wine fills all 256 without a terminator when the text is longer.
    return std::string(text, strnlen(text, sizeof(text) - 1));
}

MenuHandle Win32MenuReader::SubMenu(MenuHandle menu, int position) { return GetSubMenu(Menu(menu), position); }
