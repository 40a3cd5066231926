#include <windows.h>

extern "C" BOOL WINAPI HintrailDLL_Setup(BOOL) { return TRUE; }
