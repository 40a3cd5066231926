// Which set of programs setup installs, where, and in which registry view, from two facts: the
// bitness of the setup program itself and that of Windows. A hook library reaches only the
// processes of its own bitness, and on 64-bit Windows most programs are 64-bit, so 64-bit Windows
// gets the 64-bit bar and library. No Windows here: built and tested natively too.
#pragma once

#include "setup/file_copy_entry.h"

enum class Bitness { k32, k64 };

// The registry as 32-bit programs see it on 32-bit Windows, or the 64-bit view
// (KEY_WOW64_64KEY), which a 32-bit setup program on 64-bit Windows must ask for.
enum class RegistryView { kNative, k64Bit };

struct InstallSet {
    Bitness programs;            // the bar and hook library installed
    const FileCopyEntry* files;  // the copy table: medium name to installed name
    // Where the proposed folder's "ProgramFilesDir" is read, and every record of the
    // installation (Setup key, App Paths, uninstall entry) is written and read: on 64-bit
    // Windows always the 64-bit view, so that every run of either build of setup finds the one
    // record, and the 64-bit "Program Files" is the proposed parent.
    RegistryView registryView;
};

InstallSet ChooseInstallSet(Bitness setupProgram, Bitness windows);

// The names of both sets' hook libraries and programs, for an uninstall that removes whichever
// was installed; ends with nullptr.
extern const char* const kInstalledProgramFiles[];
