// Decodes arbitrary bytes as a hook report, for each message the input's first byte picks. The
// decoder may refuse anything, but must not read past the sender's bytes; a menu it accepts
// must keep the format's bounds, and every text is read whole so a sanitizer sees a bad one.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "bar/hook/fuzz/report_fuzz_input.h"
#include "bar/hook/report_decoding.h"
#include "hooklib/hook_protocol.h"

namespace {

using namespace hr::hook;

// Returns the items of `menu` and its popups.
std::uint32_t Walk(const ReportedMenu& menu, std::uint32_t depth) {
    if (!menu.empty() && depth >= kMaxMenuDepth) std::abort();
    std::uint32_t items = 0;
    for (const ReportedMenuItem& item : menu) {
        if (item.text.size() > kMaxMenuText) std::abort();
        if (std::memchr(item.text.data(), 0, item.text.size()) != nullptr) std::abort();
        items += 1 + Walk(item.popup, depth + 1);
    }
    return items;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uintptr_t message = report_fuzz::kMessages[data[0] % report_fuzz::kMessageCount];
    // A heap block of exactly the sender's size: AddressSanitizer reports a byte read past it.
    const std::size_t sent = size - 1;
    const std::unique_ptr<unsigned char[]> bytes(new unsigned char[sent]);
    if (sent != 0) std::memcpy(bytes.get(), data + 1, sent);

    const auto report = DecodeReport(message, static_cast<std::uint32_t>(sent), bytes.get());
    if (!report) return 0;
    if (!IsReportedMessage(message) || report->message != message) std::abort();
    // Bytes after the record are menu items or refused; the record alone carries none.
    if (report->menu.has_value() != (sent > sizeof(HookReport))) std::abort();
    if (report->menu && Walk(*report->menu, 0) > kMaxMenuItems) std::abort();
    return 0;
}
