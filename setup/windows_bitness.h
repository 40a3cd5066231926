// The bitness of the setup program itself, and that of the Windows it runs on.
#pragma once

#include "setup/install_set.h"

constexpr Bitness ThisProgramBitness() { return sizeof(void*) == 8 ? Bitness::k64 : Bitness::k32; }

// A 64-bit program knows; a 32-bit one asks whether it runs under WOW64. IsWow64Process is
// looked up at run time: it is missing from the first releases of Windows XP.
Bitness WindowsBitness();
