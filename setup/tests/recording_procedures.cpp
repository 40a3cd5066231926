// The procedures of SetupRecorder.exe: they append the choices they are handed, and the folder
// the setup state holds, to the file that HINTRAIL_SETUP_RECORD names, one line a call:
//   InstallProduct <startMenu 0|1> <startup 0|1> <destination folder>
//   UninstallProduct <removeAll 0|1> <destination folder>
// With HINTRAIL_SETUP_FAIL=runtime they then throw a runtime error, with =other an int.
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

#include "setup/procedures.h"
#include "setup/setup_state.h"

namespace {

void Record(const std::string& line) {
    if (const char* path = std::getenv("HINTRAIL_SETUP_RECORD")) {
        std::ofstream(path, std::ios::binary | std::ios::app)
            << line << " " << TheSetupState().destinationFolder << "\n";
    }
    const char* fail = std::getenv("HINTRAIL_SETUP_FAIL");
    if (!fail) return;
    if (std::string(fail) == "runtime") throw std::runtime_error("記録したエラー : recorded failure");
    if (std::string(fail) == "other") throw 42;
}

const char* Flag(bool value) { return value ? "1" : "0"; }

}  // namespace

void InstallProduct(bool startMenuShortcut, bool startupShortcut) {
    Record(std::string("InstallProduct ") + Flag(startMenuShortcut) + " " + Flag(startupShortcut));
}

void UninstallProduct(bool removeAll) { Record(std::string("UninstallProduct ") + Flag(removeAll)); }
