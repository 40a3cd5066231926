// The file name part of an executable's path, in Shift-JIS paths too.
#include "bar/store/exe_file_name.h"

#include <gtest/gtest.h>

namespace {

bool IsCp932LeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

struct Case {
    const char* path;
    const char* name;
};

const Case kCases[] = {
    {"C:\\WINDOWS\\NOTEPAD.EXE", "NOTEPAD.EXE"},
    {"notepad.exe", "notepad.exe"},          // a bare name, as Toolhelp gives it today
    {"C:notepad.exe", "notepad.exe"},        // drive and colon, no backslash
    {"c:Mixed.Case.Exe", "Mixed.Case.Exe"},  // letter case is kept
    {"", ""},
    {"C:\\Tools\\", ""},
    {"\\\\server\\share\\app.exe", "app.exe"},
    {"1:app.exe", "1:app.exe"},               // no drive letter
    {"app:stream.exe", "app:stream.exe"},     // a colon elsewhere
    {"C:\\a\\b:c.exe", "b:c.exe"},            // a drive only counts without a backslash
    // A 0x5C trail byte is not a backslash: "表" is 95 5C, "ソ" is 83 5C.
    {"C:\\ツール\\表示.exe", "表示.exe"},
    {"C:\\表\\ソフト.exe", "ソフト.exe"},
    {"表示.exe", "表示.exe"},
    {"C:ソフト.exe", "ソフト.exe"},
    {"C:\\ソ", "ソ"},
    {"C:\\a\\\x83", "\x83"},                  // a lead byte cut off at the end
};

TEST(ExeFileName, TakesWhatFollowsTheLastBackslashOrTheDrive) {
    for (const Case& c : kCases) EXPECT_EQ(ExeFileName(c.path, IsCp932LeadByte), c.name) << c.path;
}

}  // namespace
