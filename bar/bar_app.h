// The bar program's application object. It owns the bar window, the hook window that receives
// the hook library's reports, and the store of collected shortcuts; it brings them up in that
// order and takes them down in the reverse order of their use.
#pragma once

#include "bar/framework/app.h"
#include "bar/shortcut_bar_wnd.h"

class HookWindow;
class CommandStore;

class BarApp : public fw::CWinApp {
public:
    BarApp() = default;
    ~BarApp() override;

    BOOL InitInstance() override;

    // The store writes the data file; called by the bar when it closes.
    void SaveStore();

    static BarApp* Instance() { return static_cast<BarApp*>(fw::AfxGetApp()); }

    HookWindow* m_pHookWindow = nullptr;
    ShortcutBarWnd m_wndBar;
    CommandStore* m_pStore = nullptr;

private:
    BOOL CreateHookWindow();
};
