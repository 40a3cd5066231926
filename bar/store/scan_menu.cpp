#include "bar/store/scan_menu.h"

#include <algorithm>

namespace {

void Learn(CommandList& commands, std::uint32_t id, const std::string& text) {
    // By identifier alone: the same command in two menus is one command with the last text.
    const auto found = std::find_if(commands.begin(), commands.end(),
                                    [id](const std::unique_ptr<CSgCommand>& command) { return command->m_nID == id; });
    if (found != commands.end()) {
        (*found)->SetFromMenuItem(id, text);
        return;
    }
    auto command = std::make_unique<CSgCommand>();
    command->SetFromMenuItem(id, text);
    commands.push_back(std::move(command));
}

// The menu comes from another program: one that lists a menu inside itself must not take the
// bar down with endless recursion. Real menus nest a handful of levels.
constexpr int kDeepestPopup = 16;

int ScanMenuLevel(CommandList& commands, MenuReader& menus, MenuHandle menu, int depth) {
    const int count = menus.ItemCount(menu);
    if (count <= 0) return kScanNoText;
    int outcome = kScanNoText;
    for (int position = 0; position < count; ++position) {
        const std::uint32_t id = menus.ItemId(menu, position);
        if (id != MenuReader::kNoCommand) {
            const std::string text = menus.ItemText(menu, position);
            if (!text.empty() && outcome == kScanNoText) outcome = kScanNoShortcuts;
            if (text.find('\t') != std::string::npos) {
                outcome = kScanFoundShortcuts;
                Learn(commands, id, text);
            }
        }
        if (depth >= kDeepestPopup) continue;
        if (MenuHandle sub = menus.SubMenu(menu, position)) {
            outcome = std::max(outcome, ScanMenuLevel(commands, menus, sub, depth + 1));
        }
    }
    return outcome;
}

}  // namespace

int ScanMenu(CommandList& commands, MenuReader& menus, MenuHandle menu) {
    return ScanMenuLevel(commands, menus, menu, 0);
}
