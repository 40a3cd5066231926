// Runs natively and under Wine: the module paths Windows gives split the same way on both.
#include "bar/datafile/path_parts.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* path;
    const char* drive;
    const char* directory;
    const char* baseName;
    const char* extension;
    const char* dataFile;  // WithExtension(".dat")
};

// "ソ" and "表" end in the byte of '\' (83 5C, 95 5C): it must not split them.
const Case kCases[] = {
    {"C:\\Tools\\Hintrail\\Hintrail.exe", "C:", "\\Tools\\Hintrail\\", "Hintrail", ".exe",
     "C:\\Tools\\Hintrail\\Hintrail.dat"},
    {"", "", "", "", "", ".dat"},
    {"C", "", "", "C", "", "C.dat"},
    {"C:", "C:", "", "", "", "C:.dat"},
    {"C:Hintrail.exe", "C:", "", "Hintrail", ".exe", "C:Hintrail.dat"},
    {"\\\\server\\share\\Hintrail.exe", "\\", "\\server\\share\\", "Hintrail", ".exe",
     "\\\\server\\share\\Hintrail.dat"},
    {"\\Tools\\Hintrail", "", "\\Tools\\", "Hintrail", "", "\\Tools\\Hintrail.dat"},
    {"C:\\Tools.d\\Hintrail", "C:", "\\Tools.d\\", "Hintrail", "", "C:\\Tools.d\\Hintrail.dat"},
    {"C:\\a\\Hintrail.1.2.exe", "C:", "\\a\\", "Hintrail.1.2", ".exe", "C:\\a\\Hintrail.1.2.dat"},
    {"C:\\a\\.exe", "C:", "\\a\\", "", ".exe", "C:\\a\\.dat"},
    {"C:\\a\\name.", "C:", "\\a\\", "name", ".", "C:\\a\\name.dat"},
    {"C:\\a/b.exe", "C:", "\\", "a/b", ".exe", "C:\\a/b.dat"},
    {"C:\\ソフト\\表示.exe", "C:", "\\ソフト\\", "表示", ".exe", "C:\\ソフト\\表示.dat"},
    {"C:\\ソフト\\表", "C:", "\\ソフト\\", "表", "", "C:\\ソフト\\表.dat"},
    {"C:\\表.d\\ソ.x\\a", "C:", "\\表.d\\ソ.x\\", "a", "", "C:\\表.d\\ソ.x\\a.dat"},
    {"C:\\a\\x\x83", "C:", "\\a\\", "x\x83", "", "C:\\a\\x\x83.dat"},  // a lead byte cut off
};

TEST(PathParts, SplitsIntoDriveDirectoryBaseNameAndExtension) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.path);
        const PathParts parts(c.path);
        EXPECT_EQ(parts.drive, c.drive);
        EXPECT_EQ(parts.directory, c.directory);
        EXPECT_EQ(parts.baseName, c.baseName);
        EXPECT_EQ(parts.extension, c.extension);
        EXPECT_EQ(parts.drive + parts.directory + parts.baseName + parts.extension, c.path);
        EXPECT_EQ(parts.WithExtension(".dat"), c.dataFile);
    }
}

}  // namespace
