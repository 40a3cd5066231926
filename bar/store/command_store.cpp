#include "bar/store/command_store.h"

#include <algorithm>

#include "resources/bar_resource.h"

CommandStore::CommandStore(StoreHost& app, std::unique_ptr<Desktop> desktop)
    : m_pApp(&app),
      m_desktop(std::move(desktop)),
      m_strMenuUnreadable(m_desktop->ResourceString(IDS_MENU_UNREADABLE)),
      m_strNoShortcuts(m_desktop->ResourceString(IDS_NO_SHORTCUTS)) {}

CommandStore::~CommandStore() {
    if (MenuListenerSlot* hookWindow = m_pApp->GetHookWindow()) hookWindow->DetachShadow();
    Save();
}

bool CommandStore::Load() { return true; }

bool CommandStore::Save() { return true; }

void CommandStore::OnActivate(WindowHandle window) {
    CSgShadow* record = FindOrCreateShadow(window);
    if (MenuListenerSlot* hookWindow = m_pApp->GetHookWindow()) {
        hookWindow->DetachShadow();
        hookWindow->AttachShadow(record);
    }
    record->Activate(window);
}

CSgShadow* CommandStore::FindOrCreateShadow(WindowHandle window) {
    const ApplicationKey key = m_desktop->IdentifyWindow(window);
    const auto found = std::find_if(m_shadows.begin(), m_shadows.end(),
                                    [&key](const std::unique_ptr<CSgShadow>& record) { return record->Matches(key); });
    CSgShadow* record = found != m_shadows.end()
                            ? found->get()
                            : m_shadows.emplace_back(std::make_unique<CSgShadow>(key)).get();
    record->SetStore(this);
    return record;
}
