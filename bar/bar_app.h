// The bar program's application object. It owns the bar window, the hook window that receives
// the hook library's reports, and the store of collected shortcuts; it brings them up in that
// order and takes the store down before the hook window, whose listener it is.
#pragma once

#include <memory>

#include "bar/framework/app.h"
#include "bar/shortcut_bar_wnd.h"
#include "bar/single_bar_lock.h"
#include "bar/store/store_host.h"

class HookWindow;
class CommandStore;

class BarApp : public fw::CWinApp, public StoreHost {
public:
    BarApp();
    ~BarApp() override;

    BOOL InitInstance() override;

    // The store writes the data file; called by the bar when it closes.
    void SaveStore();

    // StoreHost
    void SetShortcutText(const std::string& text) override;
    MenuListenerSlot* GetHookWindow() override;

    static BarApp* Instance() { return static_cast<BarApp*>(fw::AfxGetApp()); }

    std::unique_ptr<HookWindow> m_pHookWindow;
    ShortcutBarWnd m_wndBar;
    std::unique_ptr<CommandStore> m_pStore;

private:
    BOOL CreateHookWindow();

    // Goes after the destructor's body has saved the data file and switched the hooks off.
    SingleBarLock m_singleBar;
};
