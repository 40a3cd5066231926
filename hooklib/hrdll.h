// The one export of the hook library, as the bar program imports it (by the name
// _HintrailDLL_Setup@4 on both bitnesses; link the hrdll_import target).
#pragma once

#include <windows.h>

// TRUE switches the system-wide hooks on, FALSE off. Switching on while on, or off while off,
// does nothing and returns TRUE; FALSE means a hook could not be installed or removed.
extern "C" __declspec(dllimport) BOOL WINAPI HintrailDLL_Setup(BOOL install);

namespace hr::hook {

// Windows loads a hook library only into processes of its own bitness, so the x86_64 library
// has a name of its own and one folder can hold both. hooklib/CMakeLists.txt names the file
// the same way.
inline constexpr const char* kHookLibraryFileName =
    sizeof(void*) == 8 ? "HRDLL64.dll" : "HRDLL.dll";

}  // namespace hr::hook
