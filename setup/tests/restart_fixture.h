// Test fixture for the file operations: a scratch folder, no requests for the restart left from
// before, no WinInit.Ini, and the choice of a system that refuses delayed moves (Windows 95/98).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "common/tests/scratch_folder.h"
#include "setup/restart_move.h"

namespace hr::test {

class RestartTest : public testing::Test {
protected:
    RestartTest();
    ~RestartTest() override;

    // From here on the system's delayed move refuses, and requests go to WinInit.Ini.
    void RefuseDelayedMoves();

    // Writes bytes to scratch / name and gives its full path.
    std::string File(const std::string& name, const std::string& bytes);
    std::string Path(const std::string& name) const { return scratch_ / name; }

    // The "\??\" form in which the system lists a file by its short name.
    static std::string Listed(const std::string& path);
    static std::string WinInit();

    ScratchFolder scratch_;

private:
    DelayedMove systemMove_ = nullptr;
};

}  // namespace hr::test
