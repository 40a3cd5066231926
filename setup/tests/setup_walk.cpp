// SetupWalk.exe FOLDER: starts Setup.exe from its own folder, walks the install path as a user
// would and cancels on the last page; then starts it with /force, takes the uninstall path to its
// options page and cancels there. Each page is saved as FOLDER\setup-<page id>.bmp as the screen
// shows it. Exit code 0 when every page was shown and saved and Setup.exe ended with 0.
#include <windows.h>
#include <prsht.h>

#include <cstdio>
#include <string>

#include "bar/tests/bar_process.h"
#include "setup/tests/setup_process.h"

namespace {

using setuptest::SetupProcess;

// Waits for the page, its explanation and its buttons, then saves the picture.
bool Shoot(const SetupProcess& setup, int page, const std::string& folder) {
    if (!setup.WaitForPage(page) || !bartest::WaitFor([&] { return !setup.Explanation().empty(); })) {
        std::fprintf(stderr, "SetupWalk: page %d did not show\n", page);
        return false;
    }
    const bool last = page == 24500;
    setup.WaitForButtonEnabled(last ? setuptest::kFinishButton : setuptest::kNextButton, true);
    bartest::WaitFor([] { return false; }, std::chrono::milliseconds(300));  // let it paint
    const std::string path = folder + "\\setup-" + std::to_string(page) + ".bmp";
    if (!setuptest::SaveWindowShot(setup.Sheet(), path)) {
        std::fprintf(stderr, "SetupWalk: no picture of page %d\n", page);
        return false;
    }
    std::printf("%s\n", path.c_str());
    return true;
}

bool CancelAndWait(SetupProcess& setup) {
    setup.Press(PSBTN_CANCEL);
    DWORD exitCode = 1;
    return setup.WaitForExit(&exitCode) && exitCode == 0;
}

bool WalkInstallPath(const std::string& folder) {
    SetupProcess setup;
    if (!setup.Start("Setup.exe", "")) return false;
    for (int page : {24100, 24200, 24300, 24500}) {
        if (!Shoot(setup, page, folder)) return false;
        if (page != 24500) setup.Press(PSBTN_NEXT);
    }
    return CancelAndWait(setup);
}

bool WalkUninstallPath(const std::string& folder) {
    SetupProcess setup;
    if (!setup.Start("Setup.exe", "/force") || !setup.WaitForPage(24100)) return false;
    setup.Click(24102);
    setup.Press(PSBTN_NEXT);
    return Shoot(setup, 24400, folder) && CancelAndWait(setup);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: SetupWalk FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!WalkInstallPath(folder) || !WalkUninstallPath(folder)) {
        std::fprintf(stderr, "SetupWalk: the walk did not finish\n");
        return 1;
    }
    return 0;
}
