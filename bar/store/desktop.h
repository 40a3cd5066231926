// What the store asks of the system: which application a window belongs to, its menu bar, the
// menus themselves, and the bar's string resources. The real desktop is Win32Desktop; tests
// give the store a desktop of their own.
#pragma once

#include <string>

#include "bar/hook/hook_listeners.h"
#include "bar/store/application_key.h"
#include "bar/store/menu_reader.h"

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual ApplicationKey IdentifyWindow(WindowHandle window) = 0;
    // The window's menu bar, or null.
    virtual MenuHandle GetMenu(WindowHandle window) = 0;
    virtual MenuReader& Menus() = 0;
    // A string of the bar program's string table, as ANSI bytes.
    virtual std::string ResourceString(unsigned id) = 0;
};
