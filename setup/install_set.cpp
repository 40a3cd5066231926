#include "setup/install_set.h"

namespace {

// On the medium each file's extension ends in '_' in place of its last letter; the bytes are the
// installed file's. The 64-bit bar and library are in the medium's "x64" folder: the bar keeps
// its name, the library has a name of its own, so that one folder can hold either set and an
// uninstall finds both. Setup copies itself under its name on the medium, whatever it runs as.
// The two tables differ in their first two rows only.
const FileCopyEntry k32BitFiles[] = {
    {"HRDLL.dl_", "HRDLL.dll"},
    {"Hintrail.ex_", "Hintrail.exe"},
    {"Hintrail.hl_", "Hintrail.hlp"},
    {"Hintrail.cn_", "Hintrail.cnt"},
    {"Hintrail.da_", "!Hintrail.dat"},  // the data file beside the program survives a reinstall
    {"ReadMe.txt", "ReadMe.txt"},
    {"Setup.exe", "HRSetup.exe"},
    {nullptr, nullptr},
};

const FileCopyEntry k64BitFiles[] = {
    {"x64\\HRDLL64.dl_", "HRDLL64.dll"}, {"x64\\Hintrail.ex_", "Hintrail.exe"},
    {"Hintrail.hl_", "Hintrail.hlp"},    {"Hintrail.cn_", "Hintrail.cnt"},
    {"Hintrail.da_", "!Hintrail.dat"},   {"ReadMe.txt", "ReadMe.txt"},
    {"Setup.exe", "HRSetup.exe"},        {nullptr, nullptr},
};

}  // namespace

const char* const kInstalledProgramFiles[] = {"Hintrail.exe", "HRSetup.exe", "HRDLL.dll",
                                              "HRDLL64.dll", nullptr};

InstallSet ChooseInstallSet(Bitness setupProgram, Bitness windows) {
    // A 64-bit setup program runs only on 64-bit Windows, whatever it was told.
    if (setupProgram == Bitness::k64 || windows == Bitness::k64) {
        return {Bitness::k64, k64BitFiles, RegistryView::k64Bit};
    }
    return {Bitness::k32, k32BitFiles, RegistryView::kNative};
}
