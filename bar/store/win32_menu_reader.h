// Menus read through the system's handle, which is valid in every process: GetMenuItemCount,
// GetMenuItemID, GetMenuStringA and GetSubMenu, and nothing that would send the owner a message.
#pragma once

#include "bar/store/menu_reader.h"

class Win32MenuReader final : public MenuReader {
public:
    int ItemCount(MenuHandle menu) override;
    std::uint32_t ItemId(MenuHandle menu, int position) override;
    std::string ItemText(MenuHandle menu, int position) override;
    MenuHandle SubMenu(MenuHandle menu, int position) override;
};
