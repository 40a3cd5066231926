#include "bar/bar_app.h"

#include <exception>

BarApp::~BarApp() {
    // The store goes before the hook window: its destructor still detaches from it.
    // (The hook window and the store are wired in here as they arrive.)
}

BOOL BarApp::InitInstance() {
    // Three-dimensional dialog controls are what the system draws today: nothing to enable.
    SetRegistryKey("Orrin-Labs");
    if (!m_wndBar.CreateBar()) return FALSE;
    m_pMainWnd = &m_wndBar;
    ShowWindow(m_wndBar.m_hWnd, SW_SHOW);
    if (!CreateHookWindow()) return FALSE;
    return TRUE;
}

BOOL BarApp::CreateHookWindow() { return TRUE; }

void BarApp::SaveStore() {}
