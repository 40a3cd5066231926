// Runs natively and under Wine: the same bytes must split the same way on both.
#include "common/pathname.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
    const char* text;
    const char* root;
    const char* directory;
    const char* baseName;
    const char* extension;
};

// "ソ" and "表" end in the byte of '\' (83 5C, 95 5C): it must not split them.
const ParseCase kParseCases[] = {
    {"C:\\Tools\\Hintrail\\Hintrail.exe", "C:", "\\Tools\\Hintrail\\", "Hintrail", ".exe"},
    {"", "", "", "", ""},
    {"C:", "C:", "", "", ""},
    {"C:\\", "C:", "\\", "", ""},
    {"x:name.txt", "x:", "", "name", ".txt"},
    {"C:/Tools/a.b", "C:", "/Tools/", "a", ".b"},
    {"\\\\srv\\share\\f.txt", "\\\\srv", "\\share\\", "f", ".txt"},
    {"//srv/share", "//srv", "/", "share", ""},
    {"\\\\srv", "\\\\srv", "", "", ""},
    {"\\Tools\\f", "", "\\Tools\\", "f", ""},
    {"a.b\\c", "", "a.b\\", "c", ""},
    {"c.tar.gz", "", "", "c.tar", ".gz"},
    {".profile", "", "", ".profile", ""},
    {"C:\\A\\.profile", "C:", "\\A\\", ".profile", ""},
    {"name.", "", "", "name", "."},
    {"C:\\ソフト\\表示.txt", "C:", "\\ソフト\\", "表示", ".txt"},
    {"C:\\ソ", "C:", "\\", "ソ", ""},
    {"\\\\ソ\\x", "\\\\ソ", "\\", "x", ""},
};

TEST(PathName, SplitsIntoRootDirectoryBaseNameAndExtension) {
    for (const ParseCase& c : kParseCases) {
        SCOPED_TRACE(c.text);
        const PathName path(c.text);
        EXPECT_EQ(path.Part(PathName::kRoot), c.root);
        EXPECT_EQ(path.Part(PathName::kDirectory), c.directory);
        EXPECT_EQ(path.Part(PathName::kBaseName), c.baseName);
        EXPECT_EQ(path.Part(PathName::kExtension), c.extension);
        EXPECT_EQ(path.Part(PathName::kWhole), c.text);
    }
}

TEST(PathName, CombinesPartsInPathOrder) {
    const PathName path("C:\\Tools\\Hintrail\\Hintrail.exe");
    EXPECT_EQ(path.Part(PathName::kFolder), "C:\\Tools\\Hintrail\\");
    EXPECT_EQ(path.Part(PathName::kFileName), "Hintrail.exe");
    EXPECT_EQ(path.Part(PathName::kAfterRoot), "\\Tools\\Hintrail\\Hintrail.exe");
    EXPECT_EQ(path.Part(PathName::kExtension | PathName::kRoot), "C:.exe");
    EXPECT_EQ(path.Part(0), "");
    EXPECT_EQ(path.Text(), "C:\\Tools\\Hintrail\\Hintrail.exe");
}

TEST(PathName, AssigningATextParsesItAgain) {
    PathName path("C:\\A\\f.txt");
    path = "\\\\srv\\share\\g.doc";
    EXPECT_EQ(path.Part(PathName::kRoot), "\\\\srv");
    EXPECT_EQ(path.Part(PathName::kFileName), "g.doc");
    path = path.Text();
    EXPECT_EQ(path.Part(PathName::kDirectory), "\\share\\");
}

struct SeparatorCase {
    const char* text;
    const char* ensured;  // after EnsureTrailingSeparator
    const char* removed;  // after RemoveTrailingSeparator
};

const SeparatorCase kSeparatorCases[] = {
    {"C:\\A", "C:\\A\\", "C:\\A"},
    {"C:\\A\\", "C:\\A\\", "C:\\A"},
    {"C:", "C:", "C:"},
    {"C:\\", "C:\\", "C:\\"},
    {"\\", "\\", "\\"},
    {"", "", ""},
    {"A\\", "A\\", "A"},
    {"C:/A/", "C:/A/", "C:/A/"},
    {"\\\\srv", "\\\\srv", "\\\\srv"},
    {"\\\\srv\\share", "\\\\srv\\share\\", "\\\\srv\\share"},
    {"\\\\srv\\share\\", "\\\\srv\\share\\", "\\\\srv\\share"},
    {"C:\\ソ", "C:\\ソ\\", "C:\\ソ"},
    {"C:\\ソ\\", "C:\\ソ\\", "C:\\ソ"},
};

TEST(PathName, AddsAndRemovesTheTrailingSeparatorOfFolders) {
    for (const SeparatorCase& c : kSeparatorCases) {
        SCOPED_TRACE(c.text);
        PathName ensured(c.text);
        ensured.EnsureTrailingSeparator();
        EXPECT_EQ(ensured.Text(), c.ensured);
        EXPECT_EQ(ensured.Part(PathName::kFileName), "");
        PathName removed(c.text);
        removed.RemoveTrailingSeparator();
        EXPECT_EQ(removed.Text(), c.removed);
        EXPECT_EQ(removed.Part(PathName::kWhole), c.removed);
    }
}

TEST(PathName, TheFolderWithoutItsSeparatorIsParsedAgain) {
    PathName path("C:\\Tools\\Hintrail\\");
    path.RemoveTrailingSeparator();
    EXPECT_EQ(path.Part(PathName::kDirectory), "\\Tools\\");
    EXPECT_EQ(path.Part(PathName::kBaseName), "Hintrail");
}

struct NormalizeCase {
    const char* text;
    const char* normalized;
};

const NormalizeCase kNormalizeCases[] = {
    {"C:\\A\\.\\B\\..\\C\\f.txt", "C:\\A\\C\\f.txt"},
    {"C:\\A\\B\\...\\f", "C:\\f"},
    {"C:\\A\\...\\f", "C:\\..\\f"},
    {"C:\\A\\..\\..\\f", "C:\\..\\f"},
    {"\\..\\x", "\\..\\x"},
    {"..\\x", "..\\x"},
    {"..\\..\\x", "..\\..\\x"},
    {"C:..\\x", "C:..\\x"},
    {"A\\\\B\\", "A\\B\\"},
    {"A/./B/../C", "A/C"},
    {"C:\\.\\", "C:\\"},
    {"C:\\A\\..", "C:\\A\\.."},  // a final ".." is a file name, not a component
    {"\\\\srv\\share\\..\\f", "\\\\srv\\f"},
    {"C:\\ソ\\..\\表示\\f", "C:\\表示\\f"},
    {"", ""},
};

TEST(PathName, NormalizeFoldsDotComponents) {
    for (const NormalizeCase& c : kNormalizeCases) {
        SCOPED_TRACE(c.text);
        PathName path(c.text);
        path.Normalize();
        EXPECT_EQ(path.Text(), c.normalized);
        EXPECT_EQ(path.Part(PathName::kFolder), PathName(c.normalized).Part(PathName::kFolder));
    }
}

}  // namespace
