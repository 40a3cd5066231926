// Menus as tables, asked as the library asks USER32, for the menu items' tests and the report
// fuzzer's seeds: MenuItemsWriter<TableMenus, int> writes them as HRDLL.dll writes real menus.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace hook_sample {

struct TableItem {
    std::uint32_t id;
    std::string text;
    int popup = 0;
};

// Handles are 1-based indexes.
class TableMenus {
public:
    int Add(std::vector<TableItem> items) {
        m_menus.push_back(std::move(items));
        return static_cast<int>(m_menus.size());
    }
    std::vector<TableItem>& Items(int menu) { return m_menus.at(menu - 1); }

    int ItemCount(int menu) const {
        return menu >= 1 && menu <= static_cast<int>(m_menus.size())
                   ? static_cast<int>(m_menus[menu - 1].size())
                   : -1;
    }
    std::uint32_t ItemId(int menu, int position) const {
        return m_menus.at(menu - 1).at(position).id;
    }
    // As GetMenuStringA does on Wine: a text that does not fit fills the buffer unterminated.
    void ReadText(int menu, int position, char* text, int size) const {
        const std::string& source = m_menus.at(menu - 1).at(position).text;
        const std::size_t copied = std::min(source.size(), static_cast<std::size_t>(size));
        std::memcpy(text, source.data(), copied);
        if (copied < static_cast<std::size_t>(size)) text[copied] = 0;
    }
    int SubMenu(int menu, int position) const { return m_menus.at(menu - 1).at(position).popup; }

private:
    std::vector<std::vector<TableItem>> m_menus;
};

}  // namespace hook_sample
