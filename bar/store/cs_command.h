// One command learned from a menu: its identifier and its display text, the menu item's text
// without its mnemonic group, the TAB turned into '<' and '>' appended ("終了<Alt+F4>").
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bar/archive/object.h"

class CSgCommand : public fw::CObject {
    FW_DECLARE_SERIAL(CSgCommand)
public:
    CSgCommand() = default;

    // The data file's form: the identifier, then the display text.
    void Serialize(fw::CArchive& ar) override;

    void SetFromMenuItem(std::uint32_t id, const std::string& menuText);

    std::uint32_t m_nID = 0;  // as GetMenuItemID gives it, all 32 bits
    std::string m_strText;    // display text
};

// A record's commands in display order, owned.
using CommandList = std::vector<std::unique_ptr<CSgCommand>>;
