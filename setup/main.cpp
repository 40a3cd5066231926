// Setup.exe: installs or removes Hintrail through a five-page wizard.
#include <windows.h>

#include "setup/setup_entry.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    return RunSetup(instance, commandLine);
}
