#include "setup/shell_link.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include "common/tests/scratch_folder.h"
#include "setup_files.h"
#include "shell_link_reader.h"

namespace hr::test {
namespace {

constexpr int kNotChecked = -1;

struct LinkCase {
    const char* what;
    ShellLinkSpec spec;
    ShellLinkContents expected;
};

TEST(CreateShellLink, WritesAShortcutThatReadsBackWithTheFieldsItsMaskNames) {
    ScratchFolder scratch;
    scratch.MakeFolder("Program Files");
    const std::string program = scratch / "Program Files\\Hintrail.exe";
    WriteBytes(program, "MZ");
    const std::string folder = scratch / "Program Files";
    const LinkCase cases[] = {
        {"the install's shortcut",
         {program.c_str(), kLinkDescription | kLinkIcon, "Hintrail", nullptr, program.c_str(), 0},
         {true, program, "Hintrail", "", "", program, 0, SW_SHOWNORMAL, 0}},
        {"every field",
         {program.c_str(), 0x3F, "説明", "/force", program.c_str(), 2, folder.c_str(),
          SW_SHOWMAXIMIZED, MAKEWORD('H', HOTKEYF_CONTROL | HOTKEYF_ALT)},
         // Wine's link object writes every show command as SW_SHOWNORMAL: not checked here.
         {true, program, "説明", "/force", folder, program, 2, kNotChecked,
          MAKEWORD('H', HOTKEYF_CONTROL | HOTKEYF_ALT)}},
        {"the mask leaves fields out",
         {program.c_str(), 0, "unused", "unused", program.c_str(), 3, folder.c_str(), SW_HIDE, 1},
         {true, program, "", "", "", "", 0, SW_SHOWNORMAL, 0}},
    };
    const std::string linkPath = scratch / "Hintrail.lnk";
    for (const LinkCase& c : cases) {  // each replaces the one before
        SCOPED_TRACE(c.what);
        ASSERT_EQ(CreateShellLink(linkPath, c.spec), S_OK);
        const ShellLinkContents link = ReadShellLink(linkPath);
        EXPECT_TRUE(link.loaded);
        EXPECT_EQ(link.target, c.expected.target);
        EXPECT_EQ(link.description, c.expected.description);
        EXPECT_EQ(link.arguments, c.expected.arguments);
        EXPECT_EQ(link.workingFolder, c.expected.workingFolder);
        EXPECT_EQ(link.iconPath, c.expected.iconPath);
        EXPECT_EQ(link.iconIndex, c.expected.iconIndex);
        if (c.expected.showCommand != kNotChecked) {
            EXPECT_EQ(link.showCommand, c.expected.showCommand);
        }
        EXPECT_EQ(link.hotkey, c.expected.hotkey);
    }
}

TEST(CreateShellLink, FailsForAFolderThatIsNotThereOrAPathTooLong) {
    ScratchFolder scratch;
    const std::string program = scratch / "Hintrail.exe";
    ShellLinkSpec spec{program.c_str(), kLinkDescription, "Hintrail"};
    EXPECT_TRUE(FAILED(CreateShellLink(scratch / "missing\\Hintrail.lnk", spec)));
    EXPECT_TRUE(FAILED(CreateShellLink(scratch / (std::string(300, 'x') + ".lnk"), spec)));
    EXPECT_FALSE(Exists(scratch / "missing"));
}

}  // namespace
}  // namespace hr::test
