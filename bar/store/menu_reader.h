// Reading a menu, as the system offers it for a menu of any process: four questions and no
// message to the menu's owner, which is blocked in its report while its menu is read.
#pragma once

#include <cstdint>
#include <string>

#include "bar/hook/hook_listeners.h"

class MenuReader {
public:
    // GetMenuItemID of popup entries and invalid positions.
    static constexpr std::uint32_t kNoCommand = 0xFFFFFFFF;

    // Number of items; -1 for an invalid handle.
    virtual int ItemCount(MenuHandle menu) = 0;
    virtual std::uint32_t ItemId(MenuHandle menu, int position) = 0;
    // The item's text, at most 255 bytes; "" for separators, owner-drawn and bitmap items.
    virtual std::string ItemText(MenuHandle menu, int position) = 0;
    // The popup opened by the item, or null.
    virtual MenuHandle SubMenu(MenuHandle menu, int position) = 0;

protected:
    ~MenuReader() = default;
};
