#include "setup/wininit_rename.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The file after one edit, done in a buffer grown exactly as the file mapping grows the file.
std::string AfterEdit(const std::string& file, const std::string& line) {
    std::string view = file;
    view.resize(RenameEditSize(file.size(), line.size()), '\0');
    const std::size_t newSize = InsertRenameLine(view.data(), file.size(), line);
    EXPECT_LE(newSize, view.size());
    view.resize(newSize);
    return view;
}

TEST(RenameLine, IsNewNameEqualsExistingWithCrLf) {
    EXPECT_EQ(RenameLine("C:\\PROG~1\\HINTRAIL.EXE", "C:\\PROG~1\\HINTRA~1.EX_"),
              "C:\\PROG~1\\HINTRAIL.EXE=C:\\PROG~1\\HINTRA~1.EX_\r\n");
    EXPECT_EQ(RenameLine("NUL", "C:\\HR\\HRDLL.DLL"), "NUL=C:\\HR\\HRDLL.DLL\r\n");
}

TEST(RenameEditSize, IsTheFileWithRoomForALineBreakAHeaderAndTheLine) {
    EXPECT_EQ(RenameEditSize(0, 20), 32u);
    EXPECT_EQ(RenameEditSize(100, 7), 119u);
}

struct EditCase {
    const char* what;
    std::string before;
    std::string after;
};

const std::string kLine = "NUL=C:\\HR\\A.EXE\r\n";

const EditCase kEditCases[] = {
    {"missing or empty file", "", "[Rename]\r\n" + kLine},
    {"no section", "[boot]\r\nx=1\r\n", "[boot]\r\nx=1\r\n[Rename]\r\n" + kLine},
    {"empty section", "[Rename]\r\n", "[Rename]\r\n" + kLine},
    {"section with a line", "[Rename]\r\nC:\\B=C:\\B_\r\n",
     "[Rename]\r\n" + kLine + "C:\\B=C:\\B_\r\n"},
    {"section between others", "[a]\r\n[Rename]\r\nx=y\r\n[b]\r\nz=w\r\n",
     "[a]\r\n[Rename]\r\n" + kLine + "x=y\r\n[b]\r\nz=w\r\n"},
    {"only the first section", "[Rename]\r\n[Rename]\r\n", "[Rename]\r\n" + kLine + "[Rename]\r\n"},
    {"header in other letter case", "[rename]\r\nx=y\r\n",
     "[rename]\r\nx=y\r\n[Rename]\r\n" + kLine},
    {"header with a bare line feed", "[Rename]\nx=y\n", "[Rename]\nx=y\n[Rename]\r\n" + kLine},
    {"header at the end without a line end", "[Rename]", "[Rename]\r\n[Rename]\r\n" + kLine},
    {"last line without a line end", "[boot]\r\nx=1", "[boot]\r\nx=1\r\n[Rename]\r\n" + kLine},
    {"header after a zero byte", std::string("x\0[Rename]\r\n", 13),
     std::string("x\0[Rename]\r\n", 13) + "[Rename]\r\n" + kLine},
    {"Shift-JIS text before the section", "; 表示\r\n[Rename]\r\n",
     "; 表示\r\n[Rename]\r\n" + kLine},
};

TEST(InsertRenameLine, PutsTheLineFirstInTheExactSectionOrAppendsOne) {
    for (const EditCase& c : kEditCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(AfterEdit(c.before, kLine), c.after);
    }
}

TEST(InsertRenameLine, TheLaterOfTwoRequestsStandsAbove) {
    const std::string rename = RenameLine("C:\\HR\\A.EXE", "C:\\HR\\A.EX_");
    const std::string deletion = RenameLine("NUL", "C:\\HR\\A.EXE");
    EXPECT_EQ(AfterEdit(AfterEdit("", rename), deletion), "[Rename]\r\n" + deletion + rename);
}

}  // namespace
