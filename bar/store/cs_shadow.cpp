#include "bar/store/cs_shadow.h"

#include <algorithm>

#include "bar/archive/archive.h"
#include "bar/store/command_store.h"
#include "bar/store/reported_menu_reader.h"
#include "bar/store/scan_menu.h"

FW_IMPLEMENT_SERIAL(CSgShadow, fw::CObject, 1);

bool CSgShadow::Matches(const ApplicationKey& key) const {
    return m_strClassName == key.className && m_strExeName == key.exeName;
}

void CSgShadow::Activate(WindowHandle window, const ReportedMenu* menuBar) {
    if (!m_pStore) return;
    if (m_commands.empty()) {
        if (menuBar) {
            Learn(nullptr, menuBar);
        } else if (MenuHandle menu = m_pStore->GetDesktop().GetMenu(window)) {
            Learn(menu, nullptr);
        }
    }
    Publish();
}

void CSgShadow::OnInitMenuPopup(MenuHandle menu, const ReportedMenu* items, unsigned, bool) {
    // The window menu is read like any other popup.
    if (!m_pStore) return;
    Learn(menu, items);
    Publish();
}

void CSgShadow::Learn(MenuHandle menu, const ReportedMenu* items) {
    int outcome = kScanNoText;
    if (items) {
        ReportedMenuReader reader(*items);
        outcome = ScanMenu(m_commands, reader, reader.Root());
    } else {
        outcome = ScanMenu(m_commands, m_pStore->GetDesktop().Menus(), menu);
    }
    if (outcome != kScanNoText) m_bMenuRead = 1;
}

void CSgShadow::OnCommand(std::uintptr_t wParam, unsigned notificationCode) {
    if (notificationCode != 0) return;
    const std::uint32_t id = wParam & 0xFFFF;
    const auto chosen = std::find_if(m_commands.begin(), m_commands.end(),
                                     [id](const std::unique_ptr<CSgCommand>& command) { return command->m_nID == id; });
    if (chosen != m_commands.end()) std::rotate(m_commands.begin(), chosen, chosen + 1);
    Publish();
}

void CSgShadow::Publish() {
    if (!m_pStore) return;
    if (m_commands.empty()) {
        m_pStore->ShowText(m_pStore->EmptyRecordText(m_bMenuRead != 0));
        return;
    }
    std::string text;
    for (const auto& command : m_commands) text += command->m_strText + "  ";
    m_pStore->ShowText(text);
}

void CSgShadow::Serialize(fw::CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteString(m_strClassName);
        ar.WriteString(m_strExeName);
        ar.WriteInt32(static_cast<std::int32_t>(m_commands.size()));
        for (const auto& command : m_commands) ar.WriteObject(*command);
        ar.WriteInt32(m_bMenuRead);
        return;
    }
    m_strClassName = ar.ReadString();
    m_strExeName = ar.ReadString();
    for (std::int32_t n = ar.ReadInt32(); n > 0; --n) m_commands.push_back(ar.ReadObject<CSgCommand>());
    m_bMenuRead = ar.ReadInt32();
}
