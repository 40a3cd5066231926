// Writing a menu's items in the form of hook_protocol.h, as the library does inside the program
// that owns the menu. The walk asks the same four questions as the bar's scan, in the same order,
// so the bar learns the same from the items as from the menu itself. It is a template over the
// questions so that it is tested natively; HRDLL.dll instantiates it with the USER32 calls.
// No C runtime: bytes are stored one by one, and the text is read straight into the buffer.
#pragma once

#include <cstdint>

#include "hooklib/hook_protocol.h"

namespace hr::hook {

// Menus supplies, for a menu handle of type Menu:
//   int ItemCount(Menu)                  -1 for an invalid handle
//   std::uint32_t ItemId(Menu, int)      kNoCommandId for a popup entry
//   void ReadText(Menu, int, char*, int) the text into a buffer of that size, terminated unless
//                                        it fills the buffer; the buffer's first byte is 0 already
//   Menu SubMenu(Menu, int)              the popup the item opens, or a null handle
template <class Menus, class Menu>
class MenuItemsWriter {
public:
    // The buffer must hold kMaxMenuItemsBytes + 1 bytes: the last text is read with room for
    // its terminator.
    static constexpr std::uint32_t kBufferBytes = kMaxMenuItemsBytes + 1;

    MenuItemsWriter(Menus& menus, unsigned char* buffer) : m_menus(menus), m_buffer(buffer) {}

    // Writes the header and the items of the menu and its popups; returns the payload's size.
    std::uint32_t Write(Menu menu) {
        m_next = m_buffer + kMenuItemsHeaderBytes;
        m_count = 0;
        WriteLevel(menu, 0);
        Store32(m_buffer, kMenuItemsFormat);
        Store32(m_buffer + 4, m_count);
        return static_cast<std::uint32_t>(m_next - m_buffer);
    }

private:
    void WriteLevel(Menu menu, std::uint32_t depth) {
        const int count = m_menus.ItemCount(menu);
        for (int position = 0; position < count && m_count < kMaxMenuItems; ++position) {
            const std::uint32_t id = m_menus.ItemId(menu, position);
            unsigned char* item = m_next;
            Store32(item, id);
            item[4] = static_cast<unsigned char>(depth);
            char* text = reinterpret_cast<char*>(item + kMenuItemHeadBytes);
            text[0] = 0;
            if (id != kNoCommandId) m_menus.ReadText(menu, position, text, kMaxMenuText + 1);
            std::uint32_t length = 0;
            while (length < kMaxMenuText && text[length] != 0) ++length;
            item[5] = static_cast<unsigned char>(length);
            m_next = item + kMenuItemHeadBytes + length;
            ++m_count;
            if (depth + 1 >= kMaxMenuDepth) continue;
            if (Menu popup = m_menus.SubMenu(menu, position)) WriteLevel(popup, depth + 1);
        }
    }

    static void Store32(unsigned char* at, std::uint32_t value) {
        at[0] = static_cast<unsigned char>(value);
        at[1] = static_cast<unsigned char>(value >> 8);
        at[2] = static_cast<unsigned char>(value >> 16);
        at[3] = static_cast<unsigned char>(value >> 24);
    }

    Menus& m_menus;
    unsigned char* m_buffer;
    unsigned char* m_next = nullptr;
    std::uint32_t m_count = 0;
};

}  // namespace hr::hook
