// The one export of HRDLL.dll, as the bar program imports it (by the name _HintrailDLL_Setup@4
// on both bitnesses; link the hrdll_import target).
#pragma once

#include <windows.h>

// TRUE switches the system-wide hooks on, FALSE off. Switching on while on, or off while off,
// does nothing and returns TRUE; FALSE means a hook could not be installed or removed.
extern "C" __declspec(dllimport) BOOL WINAPI HintrailDLL_Setup(BOOL install);
