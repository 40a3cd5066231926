// SetupRecorder.exe: Setup.exe with recording procedures (recording_procedures.cpp). Before the
// entry runs, HINTRAIL_SETUP_BLOCK (a comma-separated list of install, uninstall, keepdata) sets
// flags that no recorded registry state sets together, such as install and uninstall at once.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "setup/setup_entry.h"
#include "setup/setup_state.h"

namespace {

bool Listed(const std::string& list, const std::string& name) {
    return ("," + list + ",").find("," + name + ",") != std::string::npos;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    if (const char* blocked = std::getenv("HINTRAIL_SETUP_BLOCK")) {
        SetupState& state = TheSetupState();
        state.installBlocked = Listed(blocked, "install");
        state.uninstallBlocked = Listed(blocked, "uninstall");
        state.keepDataBlocked = Listed(blocked, "keepdata");
    }
    return RunSetup(instance, commandLine);
}
