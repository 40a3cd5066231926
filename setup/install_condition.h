// What an earlier run recorded about the installation, and which wizard choices make no sense
// next to it. No Windows here: built and tested natively too.
#pragma once

#include <string>

// The "Condition" value of the setup key under HKEY_CURRENT_USER.
enum InstallCondition : int {
    NotInstalled = 0,   // never installed, or removed with everything
    DataKept = 1,       // removed, but the collected data and the App Paths entry were kept
    Installed = 2,
    LegacyRecord = -1,  // in memory only: no "Condition", but version 1.0 is recorded
};

struct BlockedChoices {
    bool install = false;   // this very version is installed
    bool uninstall = false;  // nothing is installed, nor left behind
    bool keepData = false;   // the data was kept already
};

// Versions compare exactly, byte for byte.
BlockedChoices BlockedChoicesFor(int condition, const std::string& userVersion,
                                 const std::string& machineVersion,
                                 const std::string& productVersion);

// Version 1.0 recorded versions but no condition: a missing one (-1) stays LegacyRecord next to
// a version "1.0" and counts as NotInstalled otherwise.
int ConditionOfRecord(int storedOrMissing, const std::string& userVersion,
                      const std::string& machineVersion);
