#include "setup/windows_bitness.h"

#include <windows.h>

Bitness WindowsBitness() {
    if (ThisProgramBitness() == Bitness::k64) return Bitness::k64;
    using IsWow64ProcessFunction = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64Process = reinterpret_cast<IsWow64ProcessFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "IsWow64Process")));
    BOOL wow64 = FALSE;
    if (isWow64Process && isWow64Process(GetCurrentProcess(), &wow64) && wow64) return Bitness::k64;
    return Bitness::k32;
}
