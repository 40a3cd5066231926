// The store's record of one application: its key, the commands learned from its menus in
// display order (the most recently chosen first), and whether any of its menus was readable.
// While its application is in front it is the hook window's menu listener.
#pragma once

#include <cstdint>
#include <string>

#include "bar/archive/object.h"
#include "bar/hook/hook_listeners.h"
#include "bar/store/application_key.h"
#include "bar/store/cs_command.h"

class CommandStore;

class CSgShadow : public fw::CObject, public MenuListener {
    FW_DECLARE_SERIAL(CSgShadow)
public:
    CSgShadow() = default;
    explicit CSgShadow(const ApplicationKey& key) : m_strClassName(key.className), m_strExeName(key.exeName) {}

    // Class name first, then executable name; byte for byte, case-sensitive.
    bool Matches(const ApplicationKey& key) const;

    // Its application came to the front: a record without commands learns the window's menu
    // bar (one with commands learns only from popups), then the text is published. The menu
    // bar's items as the program read them are used where they came; else the handle is read.
    void Activate(WindowHandle window, const ReportedMenu* menuBar = nullptr);
    void OnInitMenuPopup(MenuHandle menu, const ReportedMenu* items, unsigned position, bool isWindowMenu) override;
    // A command chosen from a menu (code 0) moves to the front; an accelerator (code 1) changes
    // nothing. Identifiers are matched on the low word, so one above 0xFFFF never moves.
    void OnCommand(std::uintptr_t wParam, unsigned notificationCode) override;
    // Hands the bar its text: each command's text followed by two spaces, or the message for
    // an application without commands.
    void Publish();

    // The data file's form: the key, the commands in display order, the menu-read flag.
    void Serialize(fw::CArchive& ar) override;

    // The store sets itself before it hands a record out; records read from the data file get
    // theirs when they are first found.
    void SetStore(CommandStore* store) { m_pStore = store; }

    std::string m_strClassName;
    std::string m_strExeName;
    CommandList m_commands;
    std::int32_t m_bMenuRead = 0;  // 1 once any of its menus showed readable text; never reset

private:
    // Scans the reported items if there are any, else the menu through its handle.
    void Learn(MenuHandle menu, const ReportedMenu* items);

    CommandStore* m_pStore = nullptr;  // not stored in the data file
};
