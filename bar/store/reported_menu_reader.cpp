#include "bar/store/reported_menu_reader.h"

const ReportedMenuItem* ReportedMenuReader::Item(MenuHandle menu, int position) {
    const auto* items = static_cast<const ReportedMenu*>(menu);
    if (!items || position < 0 || static_cast<std::size_t>(position) >= items->size())
        return nullptr;
    return &(*items)[position];
}

int ReportedMenuReader::ItemCount(MenuHandle menu) {
    return menu ? static_cast<int>(static_cast<const ReportedMenu*>(menu)->size()) : -1;
}

std::uint32_t ReportedMenuReader::ItemId(MenuHandle menu, int position) {
    const ReportedMenuItem* item = Item(menu, position);
    return item ? item->id : kNoCommand;
}

std::string ReportedMenuReader::ItemText(MenuHandle menu, int position) {
    const ReportedMenuItem* item = Item(menu, position);
    return item ? item->text : std::string();
}

MenuHandle ReportedMenuReader::SubMenu(MenuHandle menu, int position) {
    const ReportedMenuItem* item = Item(menu, position);
    return item && !item->popup.empty() ? HandleOf(item->popup) : nullptr;
}
