// Collecting the commands of a menu that carry a shortcut: every command item whose text holds
// a TAB, in this menu and all its popups, at any depth.
#pragma once

#include "bar/store/cs_command.h"
#include "bar/store/menu_reader.h"

// What a scan saw; callers keep whether a menu was ever readable.
enum ScanOutcome : int {
    kScanNoText = 0,        // no command item with text (empty, separators, owner-drawn, invalid)
    kScanNoShortcuts = 1,   // command items with text, none with a TAB
    kScanFoundShortcuts = 2,
};

// A command whose identifier is in the list already gets the new text in its place; a new one
// is appended. Returns the outcome of the menu and all its popups.
int ScanMenu(CommandList& commands, MenuReader& menus, MenuHandle menu);
