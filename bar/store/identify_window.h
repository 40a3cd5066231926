// The application key of a window: its class name, and the file name of its process's
// executable from a fresh process snapshot (empty when the process cannot be found). Nothing is
// cached: it runs once per accepted activation.
#pragma once

#include <windows.h>

#include <string>

#include "bar/store/application_key.h"

ApplicationKey IdentifyWindow(HWND window);

// The executable's path as the snapshot reports it, or "".
std::string ProcessExePath(DWORD processId);
