// The setup program's run: the wizard, then the procedure the user chose, and one message box
// with the outcome. Always returns 0, also after a failure or a cancelled wizard.
#pragma once

#include <windows.h>

int RunSetup(HINSTANCE instance, const char* commandLine);
