#include "bar/store/cs_command.h"

#include "bar/archive/archive.h"

FW_IMPLEMENT_SERIAL(CSgCommand, fw::CObject, 0);

void CSgCommand::Serialize(fw::CArchive& ar) {
    if (ar.IsStoring()) {
        ar.WriteUInt32(m_nID);
        ar.WriteString(m_strText);
        return;
    }
    m_nID = ar.ReadUInt32();
    m_strText = ar.ReadString();
}

void CSgCommand::SetFromMenuItem(std::uint32_t id, const std::string& menuText) {
    // Byte searches are safe in Shift-JIS here: '(', '&', ')' and TAB are all below 0x40, the
    // least trail byte, so none of them can be the second half of a two-byte character.
    // A mnemonic group is "(&", one byte, ")"; only the first "(&" is looked at.
    std::size_t group = menuText.find("(&");
    if (group != std::string::npos && !(group + 3 < menuText.size() && menuText[group + 3] == ')')) {
        group = std::string::npos;
    }
    std::string display;
    display.reserve(menuText.size() + 1);
    for (std::size_t i = 0; i < menuText.size(); ++i) {
        if (i == group) {
            i += 3;
            continue;
        }
        display += menuText[i] == '\t' ? '<' : menuText[i];
    }
    display += '>';
    m_nID = id;
    m_strText = std::move(display);
}
