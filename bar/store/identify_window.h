// The application key of a window: its class name, and the file name of its process's
// executable (empty when the process cannot be found). Nothing is cached: it runs once per
// accepted activation, while the activated program waits.
#pragma once

#include <windows.h>

#include <string>

#include "bar/store/application_key.h"

ApplicationKey IdentifyWindow(HWND window);

// The file name part of the executable's path: asked of the process itself, and where it cannot
// answer, taken from a process snapshot as before, so that the name is always the one the
// snapshot gives and the data file's records keep matching their programs.
std::string ProcessExeName(DWORD processId);

// The executable's full path as the running process reports it, or "" when it cannot be opened
// or asked, has ended, or its path does not fit the snapshot's 260-byte field.
std::string QueriedExePath(DWORD processId);
// The executable's path as a snapshot of every process reports it, or "".
std::string ProcessExePath(DWORD processId);
