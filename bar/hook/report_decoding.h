// Checking a WM_COPYDATA before it is taken for a hook report. Any process may send one to the
// hook window, so only the report's record, for one of the four reported messages, optionally
// followed by menu items that keep every rule of hook_protocol.h, is read; anything else is
// ignored whole, and nothing is read past the size the sender gave.
#pragma once

#include <cstdint>
#include <optional>

#include "bar/hook/reported_menu.h"

struct DecodedReport {
    std::uint32_t message;
    std::uintptr_t window;  // the 32-bit handle of the report, sign-extended as Win64 does
    std::uint32_t wParam;
    std::uint32_t lParam;
    std::optional<ReportedMenu> menu;  // the menu items, if the report carried them
};

std::optional<DecodedReport> DecodeReport(std::uintptr_t dwData, std::uint32_t cbData, const void* lpData);
