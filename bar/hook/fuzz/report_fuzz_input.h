// The report fuzzer's input: a first byte that picks the WM_COPYDATA's dwData from this table
// (modulo its size), then the bytes sent as lpData, all of them as cbData.
#pragma once

#include <cstddef>
#include <cstdint>

#include "hooklib/hook_protocol.h"

namespace report_fuzz {

static_assert(sizeof(std::uintptr_t) == 8, "the fuzzer is built natively on 64 bits");

// The four reported messages, and a number a Win64 sender may put in dwData whose low 32 bits
// are WM_INITMENUPOPUP's: the decoder must refuse it, not look at half of it.
inline constexpr std::uintptr_t kMessages[] = {
    hr::hook::kSetText, hr::hook::kNcActivate, hr::hook::kCommand, hr::hook::kInitMenuPopup,
    (std::uintptr_t{1} << 32) | hr::hook::kInitMenuPopup};
inline constexpr std::size_t kMessageCount = sizeof(kMessages) / sizeof(kMessages[0]);

}  // namespace report_fuzz
