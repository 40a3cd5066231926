#include "setup/module_instance.h"

namespace {
HINSTANCE g_instance = nullptr;
}

HINSTANCE ModuleInstance() { return g_instance ? g_instance : GetModuleHandleA(nullptr); }

void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }
