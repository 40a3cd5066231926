// Test fixture for the install and uninstall procedures, end to end: a copy of the medium that
// the build made, with the procedure runner beside it, shell folders in a scratch folder, the
// setup program's registry entries emptied, and no requests for the restart left from before.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "restart_fixture.h"
#include "setup/tests/setup_registry.h"
#include "setup_box_answerer.h"

namespace hr::test {

// The seven files of the medium, and the names they are installed under: the hook library
// first, then the bar.
struct MediumFile {
    const char* medium;
    const char* installed;
};
extern const MediumFile kMediumFiles[7];
// The hook library that kMediumFiles installs.
extern const char kInstalledLibrary[];

// The medium the build made: build/<preset>/medium, beside the test programs' folder.
std::string BuiltMediumFolder();

// Points "Programs", "Startup" and "AppData" of the user's Shell Folders at folders of its own
// while it lives; puts back what was there.
class ShellFoldersIn {
public:
    explicit ShellFoldersIn(const std::string& folder);
    ~ShellFoldersIn();
    ShellFoldersIn(const ShellFoldersIn&) = delete;
    ShellFoldersIn& operator=(const ShellFoldersIn&) = delete;

    std::string programs, startup, appData;

private:
    std::vector<std::pair<std::string, std::optional<setuptest::StoredValue>>> saved_;
};

class InstallTest : public RestartTest {
protected:
    InstallTest();

    // Runs a procedure in a runner started from the medium copy, answering its boxes; gives ""
    // when it returned, else its error's text.
    std::string Run(const std::string& arguments, std::vector<BoxAnswer> answers = {});
    std::string Install(const std::string& destination, bool startMenu = true, bool startup = true,
                        std::vector<BoxAnswer> answers = {});
    std::string Uninstall(bool removeAll, std::vector<BoxAnswer> answers = {});

    std::string Medium(const std::string& name) const { return Path("medium\\" + name); }
    std::string Destination() const { return Path("Program Files\\Hintrail"); }
    std::string Installed(const std::string& name) const { return Destination() + "\\" + name; }

    // The texts of the boxes the last Run answered.
    std::vector<std::string> boxes_;
    setuptest::CleanSetupRegistry registry_;
    ShellFoldersIn shellFolders_{Path("")};
};

}  // namespace hr::test
