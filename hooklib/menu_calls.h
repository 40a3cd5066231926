// The library's reading of a menu with the USER32 calls, and the memory a report's items take.
// In a header so that the activation benchmark times the same walk as HRDLL.dll does; like the
// library, it needs no C runtime.
#pragma once

#include <windows.h>

#include <cstdint>

#include "hooklib/hook_protocol.h"
#include "hooklib/menu_items_writer.h"

namespace hr::hook {

// The four questions of the bar's scan, asked in the menu's own process.
struct MenuCalls {
    static int ItemCount(HMENU menu) { return GetMenuItemCount(menu); }
    static std::uint32_t ItemId(HMENU menu, int position) { return GetMenuItemID(menu, position); }
    static void ReadText(HMENU menu, int position, char* text, int size) {
        GetMenuStringA(menu, position, text, size, MF_BYPOSITION);
    }
    static HMENU SubMenu(HMENU menu, int position) { return GetSubMenu(menu, position); }
};
using MenuWriter = MenuItemsWriter<MenuCalls, HMENU>;

// The report's record followed by room for the most items a report carries: about 131 KiB, too
// much for the stack of a hooked thread, so it is fresh pages that are given back after the
// report (zero-filled on demand: only what the items take is ever touched).
class ReportBuffer {
public:
    static constexpr SIZE_T kBytes = sizeof(HookReport) + MenuWriter::kBufferBytes;
    explicit ReportBuffer(bool wanted)
        : m_bytes(wanted ? static_cast<unsigned char*>(VirtualAlloc(
                               nullptr, kBytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
                         : nullptr) {}
    ~ReportBuffer() {
        if (m_bytes) VirtualFree(m_bytes, 0, MEM_RELEASE);
    }
    ReportBuffer(const ReportBuffer&) = delete;
    ReportBuffer& operator=(const ReportBuffer&) = delete;
    unsigned char* Bytes() const { return m_bytes; }

private:
    unsigned char* m_bytes;
};

}  // namespace hr::hook
