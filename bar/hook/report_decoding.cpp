#include "bar/hook/report_decoding.h"

#include <cstring>

#include "hooklib/hook_protocol.h"

std::optional<DecodedReport> DecodeReport(std::uintptr_t dwData, std::uint32_t cbData, const void* lpData) {
    using hr::hook::HookReport;
    if (cbData != sizeof(HookReport) || lpData == nullptr || !hr::hook::IsReportedMessage(dwData)) {
        return std::nullopt;
    }
    // The sender's buffer need not be aligned for the record.
    HookReport report;
    std::memcpy(&report, lpData, sizeof(report));
    return DecodedReport{static_cast<std::uint32_t>(dwData), hr::hook::HandleFrom32(report.window), report.wParam,
                         report.lParam};
}
