// Checking a WM_COPYDATA before it is taken for a hook report. Any process may send one to the
// hook window, so only a record of exactly the report's size, with data, for one of the four
// reported messages, is read; anything else is ignored without touching its memory.
#pragma once

#include <cstdint>
#include <optional>

struct DecodedReport {
    std::uint32_t message;
    std::uintptr_t window;  // the 32-bit handle of the report, sign-extended as Win64 does
    std::uint32_t wParam;
    std::uint32_t lParam;
};

std::optional<DecodedReport> DecodeReport(std::uintptr_t dwData, std::uint32_t cbData, const void* lpData);
