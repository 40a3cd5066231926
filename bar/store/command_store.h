// The bar program's memory of what it learned: one record per application, in order of first
// appearance, never removed. It follows the application in front through the hook window's
// activation reports and seats that application's record as the hook window's menu listener.
//
// Wiring (BarApp, which implements StoreHost), after the HookWindow exists:
//     m_pStore = CreateCommandStore(*this).release();   // bar/store/win32_desktop.h
//     m_pStore->Load();
//     m_pHookWindow->AttachStore(m_pStore);
// and at shutdown, before the HookWindow is deleted:
//     m_pHookWindow->DetachStore();
//     delete m_pStore;   // detaches its record from the hook window and saves once more
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "bar/archive/object.h"
#include "bar/datafile/data_file.h"
#include "bar/hook/hook_listeners.h"
#include "bar/store/cs_shadow.h"
#include "bar/store/desktop.h"
#include "bar/store/store_host.h"

class CommandStore : public fw::CObject, public ActivationListener {
public:
    // Without a data file the store keeps nothing between runs (Load and Save fail).
    CommandStore(StoreHost& app, std::unique_ptr<Desktop> desktop,
                 std::unique_ptr<DataFile> dataFile = nullptr);
    // Detaches the menu listener, saves, and deletes the records.
    ~CommandStore() override;

    // The data file. Load appends the records it holds (start-up calls it once, on the empty
    // store); Save writes every record. Failures are silent, told by the result alone: a load
    // that fails part way keeps the records read completely and has the data file keep the
    // file's bytes aside (DataFile::KeepUnreadable); a failed save keeps the previous file.
    bool Load();
    bool Save();
    // Where Load and Save go; the program's data file unless a test gives another (null: none).
    void SetDataFile(std::unique_ptr<DataFile> dataFile) { m_dataFile = std::move(dataFile); }

    // Called by the hook window for each accepted activation report.
    void OnActivate(WindowHandle window, const ReportedMenu* menuBar) override;
    // The record of the window's application; a new one is appended at the end.
    CSgShadow* FindOrCreateShadow(WindowHandle window);

    // For the records.
    Desktop& GetDesktop() { return *m_desktop; }
    void ShowText(const std::string& text) { m_pApp->SetShortcutText(text); }
    // What the bar shows for a record without commands.
    const std::string& EmptyRecordText(bool menuRead) const {
        return menuRead ? m_strNoShortcuts : m_strMenuUnreadable;
    }

    // Records in order of first appearance, which is also their order in the data file.
    std::vector<std::unique_ptr<CSgShadow>> m_shadows;

private:
    StoreHost* m_pApp;
    std::unique_ptr<Desktop> m_desktop;
    std::string m_strMenuUnreadable;
    std::string m_strNoShortcuts;
    std::unique_ptr<DataFile> m_dataFile;
};
