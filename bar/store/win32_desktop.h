// The store's view of the real desktop, and the store made on it for the bar program.
#pragma once

#include <memory>

#include "bar/store/command_store.h"
#include "bar/store/desktop.h"
#include "bar/store/win32_menu_reader.h"

class Win32Desktop : public Desktop {
public:
    ApplicationKey IdentifyWindow(WindowHandle window) override;
    MenuHandle GetMenu(WindowHandle window) override;
    MenuReader& Menus() override { return m_menus; }
    // From the program's own string table.
    std::string ResourceString(unsigned id) override;

private:
    Win32MenuReader m_menus;
};

// The CommandStore of the bar program; `app` must outlive it.
std::unique_ptr<CommandStore> CreateCommandStore(StoreHost& app);
