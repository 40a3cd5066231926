// What HRDLL.dll and the bar program's hidden hook window agree on. The protocol is the same
// whatever the bitness: the report is three 32-bit fields and the tracked window is the 32-bit
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

// A handle carried in 32 bits becomes a handle again by sign extension, as Win64 does it.
constexpr std::uintptr_t HandleFrom32(std::uint32_t value) {
    return static_cast<std::uintptr_t>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

}  // namespace hr::hook
