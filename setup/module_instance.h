// The setup program's module: every string, page template and sheet header comes from it.
#pragma once

#include <windows.h>

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
