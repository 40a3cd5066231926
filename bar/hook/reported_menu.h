// A menu as the hook library read it inside the program that owns it and sent it with a report:
// each item's identifier and text, and the items of the popup it opens. The store scans it as it
// scans a menu handle (bar/store/reported_menu_reader.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ReportedMenuItem {
    std::uint32_t id;                     // GetMenuItemID: 0xFFFFFFFF for a popup entry
    std::string text;                     // at most 255 bytes; "" for popup entries
    std::vector<ReportedMenuItem> popup;  // empty if the item opens no popup, or an empty one
};

using ReportedMenu = std::vector<ReportedMenuItem>;
