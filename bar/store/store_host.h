// What the store needs of the application that owns it (BarApp implements it): the bar that
// shows the text, and the hook window whose menu listener the store switches.
#pragma once

#include <string>

#include "bar/hook/hook_listeners.h"

class StoreHost {
public:
    // ShortcutBarWnd::SetShortcutText of the bar window: the complete text to show.
    virtual void SetShortcutText(const std::string& text) = 0;
    // The HookWindow, or null while there is none.
    virtual MenuListenerSlot* GetHookWindow() = 0;

protected:
    ~StoreHost() = default;
};
