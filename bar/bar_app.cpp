#include "bar/bar_app.h"

#include <exception>

#include "bar/hook/hook_window.h"
#include "bar/store/command_store.h"
#include "bar/store/win32_desktop.h"

namespace {
// The exit code when the program cannot watch the desktop.
constexpr int kNoHookWindow = 2;
}  // namespace

BarApp::BarApp() = default;

BarApp::~BarApp() {
    // The store goes before the hook window: its destructor still detaches from it.
    if (m_pHookWindow && m_pStore) m_pHookWindow->DetachStore();
    m_pStore.reset();        // saves the data file once more
    m_pHookWindow.reset();   // switches the hooks off
}

BOOL BarApp::InitInstance() {
    // A second start only shows the bar that runs: it builds nothing, touches no hook and
    // writes no file.
    if (!m_singleBar.Acquire()) return FALSE;
    // Three-dimensional dialog controls are what the system draws anyway: nothing to enable.
    SetRegistryKey("Orrin-Labs");
    if (!m_wndBar.CreateBar()) return FALSE;
    m_pMainWnd = &m_wndBar;
    ShowWindow(m_wndBar.m_hWnd, SW_SHOW);
    if (!CreateHookWindow()) return FALSE;
    m_pStore = CreateCommandStore(*this);
    m_pStore->Load();
    m_pHookWindow->AttachStore(m_pStore.get());
    return TRUE;
}

BOOL BarApp::CreateHookWindow() {
    try {
        m_pHookWindow = std::make_unique<HookWindow>();
        return TRUE;
    } catch (const std::exception& e) {
        // Without its hidden window the bar would never learn anything: say why and end,
        // leaving no band reserved and no hook installed. The placement stays as it was.
        MessageBox(e.what(), MB_OK | MB_ICONERROR);
        m_pMainWnd = nullptr;
        m_wndBar.DestroyWindow();
        m_nFailureExitCode = kNoHookWindow;
        return FALSE;
    }
}

void BarApp::SaveStore() {
    if (m_pStore) m_pStore->Save();
}

void BarApp::SetShortcutText(const std::string& text) { m_wndBar.SetShortcutText(text); }

MenuListenerSlot* BarApp::GetHookWindow() { return m_pHookWindow.get(); }
