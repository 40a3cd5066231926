// Which programs setup installs, and in which registry view, for each bitness of the setup
// program and of Windows.
#include "setup/install_set.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Rows(const FileCopyEntry* table) {
    std::vector<std::string> rows;
    for (; table->sourceName; ++table)
        rows.push_back(std::string(table->sourceName) + " > " + table->targetName);
    return rows;
}

const std::vector<std::string> kCommonRows = {
    "Hintrail.hl_ > Hintrail.hlp", "Hintrail.cn_ > Hintrail.cnt", "Hintrail.da_ > !Hintrail.dat",
    "ReadMe.txt > ReadMe.txt", "Setup.exe > HRSetup.exe"};

std::vector<std::string> With(std::vector<std::string> programs) {
    programs.insert(programs.end(), kCommonRows.begin(), kCommonRows.end());
    return programs;
}

TEST(InstallSet, FollowsTheBitnessOfWindows) {
    const std::vector<std::string> set32 =
        With({"HRDLL.dl_ > HRDLL.dll", "Hintrail.ex_ > Hintrail.exe"});
    const std::vector<std::string> set64 =
        With({"x64\\HRDLL64.dl_ > HRDLL64.dll", "x64\\Hintrail.ex_ > Hintrail.exe"});
    struct Case {
        Bitness setupProgram;
        Bitness windows;
        Bitness programs;
        const std::vector<std::string>& rows;
        RegistryView view;
    };
    const Case cases[] = {
        {Bitness::k32, Bitness::k32, Bitness::k32, set32, RegistryView::kNative},
        {Bitness::k32, Bitness::k64, Bitness::k64, set64, RegistryView::k64Bit},
        {Bitness::k64, Bitness::k64, Bitness::k64, set64, RegistryView::k64Bit},
        // Cannot happen: a 64-bit program runs only on 64-bit Windows.
        {Bitness::k64, Bitness::k32, Bitness::k64, set64, RegistryView::k64Bit},
    };
    for (const Case& c : cases) {
        const InstallSet set = ChooseInstallSet(c.setupProgram, c.windows);
        const int row = static_cast<int>(&c - cases);
        EXPECT_EQ(set.programs, c.programs) << row;
        EXPECT_EQ(Rows(set.files), c.rows) << row;
        EXPECT_EQ(set.registryView, c.view) << row;
    }
}

}  // namespace
