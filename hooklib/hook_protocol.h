// What HRDLL.dll and the bar program's hidden hook window agree on. The protocol is the same
// whatever the bitness: the report is three 32-bit fields, menu items may follow it and the tracked window is the 32-bit
// value at offset 4 of the hidden window's extra bytes (window handles fit in 32 bits on Win64).
#pragma once

#include <cstdint>

namespace hr::hook {

inline constexpr char kHookWindowClass[] = "HintrailHookWindowClass";
inline constexpr char kHookWindowTitle[] = "HintrailHookWindow";
inline constexpr int kTrackedWindowOffset = 4;

// The four messages that are ever reported; the report's dwData carries the number.
inline constexpr std::uint32_t kSetText = 0x000C;
inline constexpr std::uint32_t kNcActivate = 0x0086;
inline constexpr std::uint32_t kCommand = 0x0111;
inline constexpr std::uint32_t kInitMenuPopup = 0x0117;

constexpr bool IsReportedMessage(std::uintptr_t message) {
    return message == kSetText || message == kNcActivate || message == kCommand ||
           message == kInitMenuPopup;
}

// Sent as the lpData of a WM_COPYDATA whose dwData is the message number.
struct HookReport {
    std::uint32_t window;  // the window the message was addressed to
    std::uint32_t wParam;  // the message's wParam, unchanged
    std::uint32_t lParam;  // the message's lParam as a number; an address means nothing here
};
static_assert(sizeof(HookReport) == 12, "the report is three 32-bit fields on every build");

// The menu items that may follow the record. The library reads the menu inside the program that
// owns it, on the thread that is about to use it, and sends what it read in the same WM_COPYDATA:
// for WM_NCACTIVATE the window's menu bar, for WM_INITMENUPOPUP the popup that is opening (the
// window menu included), read before the program's own handler runs. Menus are kept per process
// on some systems (Wine), so the program itself is the one place where they are surely readable.
// A report of either message without items (cbData 12: the window has no menu bar, or the
// library could not get the memory) leaves the bar to read the menu through its handle.
//
// After the 12-byte record, little-endian, packed, in this order:
//   MenuItemsHeader    u32 format (kMenuItemsFormat), u32 item count (at most kMaxMenuItems)
//   each item          u32 identifier (GetMenuItemID: kNoCommandId for a popup entry),
//                      u8 depth (0 for the menu's own items), u8 text length (at most 255),
//                      then the text's bytes in the system's ANSI code page, no terminator
// Items come in the order of a depth-first walk: each item is followed by the items of the popup
// it opens, one level deeper. So an item of depth d + 1 belongs to the popup of the last item
// of depth d before it; the first item has depth 0, and no item is more than one level deeper
// than the one before it. Popup entries carry no text: only command items' texts are scanned.
// The library stops at kMaxMenuItems items and reads no level below kMaxMenuDepth; a payload
// that breaks any of these rules, or whose size is not exactly what its items take, is not a
// report of the library and is ignored whole.
inline constexpr std::uint32_t kMenuItemsFormat = 0x314D5248;  // "HRM1"
inline constexpr std::uint32_t kMenuItemsHeaderBytes = 8;
inline constexpr std::uint32_t kMenuItemHeadBytes = 6;
inline constexpr std::uint32_t kMaxMenuItems = 512;
inline constexpr std::uint32_t kMaxMenuDepth = 8;  // depths 0 to 7
inline constexpr std::uint32_t kMaxMenuText = 255;
inline constexpr std::uint32_t kNoCommandId = 0xFFFFFFFF;
// The largest payload after the record, and so the largest report: about 131 KiB.
inline constexpr std::uint32_t kMaxMenuItemsBytes =
    kMenuItemsHeaderBytes + kMaxMenuItems * (kMenuItemHeadBytes + kMaxMenuText);
inline constexpr std::uint32_t kMaxReportBytes = sizeof(HookReport) + kMaxMenuItemsBytes;

constexpr bool MayCarryMenuItems(std::uint32_t message) {
    return message == kNcActivate || message == kInitMenuPopup;
}

// A handle carried in 32 bits becomes a handle again by sign extension, as Win64 does it.
constexpr std::uintptr_t HandleFrom32(std::uint32_t value) {
    return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

}  // namespace hr::hook
