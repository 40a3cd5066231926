#include "bar/hook/report_decoding.h"

#include <cstring>

#include "hooklib/hook_protocol.h"

namespace {

using namespace hr::hook;

// Reads forward through the sender's bytes and never past their end.
class Bytes {
public:
    Bytes(const unsigned char* data, std::uint32_t size) : m_next(data), m_left(size) {}
    bool Empty() const { return m_left == 0; }
    bool Take(void* out, std::uint32_t size) {
        if (size > m_left) return false;
        std::memcpy(out, m_next, size);
        m_next += size;
        m_left -= size;
        return true;
    }
    bool TakeLittle32(std::uint32_t& value) {
        unsigned char b[4];
        if (!Take(b, 4)) return false;
        value = b[0] | (b[1] << 8) | (b[2] << 16) | (std::uint32_t{b[3]} << 24);
        return true;
    }

private:
    const unsigned char* m_next;
    std::uint32_t m_left;
};

std::optional<ReportedMenu> DecodeMenuItems(Bytes& bytes) {
    std::uint32_t format = 0;
    std::uint32_t count = 0;
    if (!bytes.TakeLittle32(format) || format != kMenuItemsFormat) return std::nullopt;
    if (!bytes.TakeLittle32(count) || count > kMaxMenuItems) return std::nullopt;
    ReportedMenu menu;
    // levels[d] is the list that takes items of depth d: the popup of the last item of depth
    // d - 1. Only lists of depth d and deeper grow while an item of depth d is the last one, so
    // the pointers of the levels above stay valid.
    std::vector<ReportedMenu*> levels{&menu};
    for (std::uint32_t n = 0; n < count; ++n) {
        std::uint32_t id = 0;
        unsigned char depthAndLength[2];
        if (!bytes.TakeLittle32(id) || !bytes.Take(depthAndLength, 2)) return std::nullopt;
        const std::uint32_t depth = depthAndLength[0];
        const std::uint32_t length = depthAndLength[1];
        if (depth >= kMaxMenuDepth || depth > levels.size()) return std::nullopt;
        if (id == kNoCommandId && length != 0) return std::nullopt;  // popup entries carry no text
        if (depth == levels.size()) {
            ReportedMenu& parent = *levels.back();
            if (parent.empty()) return std::nullopt;  // the first item is of depth 0
            levels.push_back(&parent.back().popup);
        }
        levels.resize(depth + 1);
        std::string text(length, '\0');
        if (!bytes.Take(text.data(), length)) return std::nullopt;
        // The library reads texts up to their terminator, so a text holds none.
        if (text.find('\0') != std::string::npos) return std::nullopt;
        levels.back()->push_back(ReportedMenuItem{id, std::move(text), {}});
    }
    if (!bytes.Empty()) return std::nullopt;
    return menu;
}

}  // namespace

std::optional<DecodedReport> DecodeReport(std::uintptr_t dwData, std::uint32_t cbData,
                                          const void* lpData) {
    if (cbData < sizeof(HookReport) || cbData > kMaxReportBytes || lpData == nullptr ||
        !IsReportedMessage(dwData)) {
        return std::nullopt;
    }
    const auto message = static_cast<std::uint32_t>(dwData);
    if (cbData != sizeof(HookReport) && !MayCarryMenuItems(message)) return std::nullopt;
    Bytes bytes(static_cast<const unsigned char*>(lpData), cbData);
    // The sender's buffer need not be aligned for the record.
    HookReport record;
    bytes.Take(&record, sizeof(record));
    DecodedReport report{message, HandleFrom32(record.window), record.wParam, record.lParam,
                         std::nullopt};
    if (bytes.Empty()) return report;
    report.menu = DecodeMenuItems(bytes);
    if (!report.menu) return std::nullopt;
    return report;
}
