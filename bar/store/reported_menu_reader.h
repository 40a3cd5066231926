// A menu that the hook library read inside its program, asked the questions of a menu handle,
// so that one scan serves both sources. Its handles are the addresses of its item lists; they
// are valid while the ReportedMenu lives.
#pragma once

#include "bar/hook/reported_menu.h"
#include "bar/store/menu_reader.h"

class ReportedMenuReader final : public MenuReader {
public:
    explicit ReportedMenuReader(const ReportedMenu& menu) : m_menu(menu) {}

    // The menu itself: the menu bar, or the popup that opened.
    MenuHandle Root() const { return HandleOf(m_menu); }

    int ItemCount(MenuHandle menu) override;
    std::uint32_t ItemId(MenuHandle menu, int position) override;
    std::string ItemText(MenuHandle menu, int position) override;
    MenuHandle SubMenu(MenuHandle menu, int position) override;

private:
    static MenuHandle HandleOf(const ReportedMenu& items) {
        return const_cast<ReportedMenu*>(&items);
    }
    static const ReportedMenuItem* Item(MenuHandle menu, int position);

    const ReportedMenu& m_menu;
};
