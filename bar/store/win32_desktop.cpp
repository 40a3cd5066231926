#include "bar/store/win32_desktop.h"

#include <windows.h>

#include "bar/datafile/data_file.h"
#include "bar/framework/app.h"
#include "bar/store/identify_window.h"

ApplicationKey Win32Desktop::IdentifyWindow(WindowHandle window) {
    return ::IdentifyWindow(static_cast<HWND>(window));
}

MenuHandle Win32Desktop::GetMenu(WindowHandle window) { return ::GetMenu(static_cast<HWND>(window)); }

std::string Win32Desktop::ResourceString(unsigned id) { return fw::LoadResourceString(id); }

std::unique_ptr<CommandStore> CreateCommandStore(StoreHost& app) {
    return std::make_unique<CommandStore>(app, std::make_unique<Win32Desktop>(),
                                          OpenProgramDataFile());
}
