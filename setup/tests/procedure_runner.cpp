// The real install and uninstall procedures, run from the folder this program lies in, as
// Setup.exe runs them after its wizard, for the end-to-end tests:
//   ProcedureRunner RESULT install STARTMENU STARTUP   (destination from HINTRAIL_DESTINATION)
//   ProcedureRunner RESULT uninstall REMOVEALL          (folder as the registry records it)
// RESULT receives "" when the procedure returned, else the text of the error it threw.
#include <windows.h>

#include <cstdlib>
#include <exception>
#include <fstream>
#include <string>

#include "setup/procedures.h"
#include "setup/setup_state.h"

namespace {

std::string Run(int argc, char** argv) {
    const std::string verb = argc > 2 ? argv[2] : "";
    try {
        if (verb == "install" && argc == 5) {
            const char* destination = std::getenv("HINTRAIL_DESTINATION");
            if (destination != nullptr) TheSetupState().destinationFolder = destination;
            InstallProduct(argv[3][0] == '1', argv[4][0] == '1');
        } else if (verb == "uninstall" && argc == 4) {
            UninstallProduct(argv[3][0] == '1');
        } else {
            return "usage: ProcedureRunner RESULT install 0|1 0|1 | RESULT uninstall 0|1";
        }
    } catch (const std::exception& e) {
        return e.what();
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const std::string result = Run(argc, argv);
    std::ofstream(argv[1], std::ios::binary) << result;
    return 0;
}
