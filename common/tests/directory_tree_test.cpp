// Both flavours of folder creation walk the same way; only their failure reports differ.
#include "common/directory_tree.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "common/system_error.h"
#include "scratch_folder.h"

namespace {

constexpr DWORD kNotAFolder = 0;

struct TreeCase {
    const char* path;  // all paths relative to a scratch folder
    std::vector<std::string> foldersBefore;
    std::vector<std::string> filesBefore;
    std::vector<std::string> foldersAfter;
    const char* failingPath;  // nullptr when it succeeds
    DWORD failureCode;
};

const TreeCase kTreeCases[] = {
    {"A\\B\\C\\", {"A"}, {}, {"A\\B", "A\\B\\C"}, nullptr, 0},
    {"A\\B\\C", {"A"}, {}, {"A\\B", "A\\B\\C"}, nullptr, 0},
    {"A\\", {"A"}, {}, {"A"}, nullptr, 0},
    {"A", {"A"}, {}, {"A"}, nullptr, 0},
    {"ソ\\表示\\", {}, {}, {"ソ", "ソ\\表示"}, nullptr, 0},
    {"F\\", {}, {"F"}, {}, "F", kNotAFolder},
    {"F\\X\\Y", {}, {"F"}, {}, "F", kNotAFolder},
    // Folders made before the failure stay; a parent is named as passed down, with its '\'.
    {"A\\a|b\\c", {}, {}, {"A"}, "A\\a|b\\", ERROR_INVALID_NAME},
    {"A\\a|b", {}, {}, {"A"}, "A\\a|b", ERROR_INVALID_NAME},
    // A folder typed with '/' is walked the same way.
    {"A/B/C/", {"A"}, {}, {"A\\B", "A\\B\\C"}, nullptr, 0},
    {"A/B/C", {}, {}, {"A", "A\\B", "A\\B\\C"}, nullptr, 0},
    {"F/X/Y", {}, {"F"}, {}, "F", kNotAFolder},
    {"A/a|b/c", {}, {}, {"A"}, "A/a|b/", ERROR_INVALID_NAME},
};

void Prepare(const ScratchFolder& scratch, const TreeCase& c) {
    for (const std::string& folder : c.foldersBefore) scratch.MakeFolder(folder);
    for (const std::string& file : c.filesBefore) scratch.MakeFile(file);
}

void ExpectFolders(const ScratchFolder& scratch, const TreeCase& c) {
    for (const std::string& folder : c.foldersAfter) {
        EXPECT_TRUE(IsFolder(scratch / folder)) << folder;
    }
}

TEST(CreateDirectoryTree, CreatesMissingFoldersOrThrowsNamingTheFailingOne) {
    for (const TreeCase& c : kTreeCases) {
        SCOPED_TRACE(c.path);
        ScratchFolder scratch;
        Prepare(scratch, c);
        std::string failure;
        try {
            CreateDirectoryTree(scratch / c.path);
        } catch (const std::runtime_error& e) {
            failure = e.what();
        }
        std::string expected;
        if (c.failingPath != nullptr) {
            expected = scratch / c.failingPath + " : " +
                       (c.failureCode == kNotAFolder ? "フォルダではありません."
                                                     : SystemErrorText(c.failureCode));
        }
        EXPECT_EQ(failure, expected);
        ExpectFolders(scratch, c);
    }
}

TEST(CreateDirectoryTreeQuietly, CreatesTheSameFoldersWithoutReportingFailures) {
    for (const TreeCase& c : kTreeCases) {
        SCOPED_TRACE(c.path);
        ScratchFolder scratch;
        Prepare(scratch, c);
        EXPECT_NO_THROW(CreateDirectoryTreeQuietly(scratch / c.path));
        ExpectFolders(scratch, c);
    }
}

TEST(CreateDirectoryTree, LeavesBareRootsAndNamesAlone) {
    for (const char* path : {"C:", "C:\\", "", "hr-bare-name", "hr-bare-name\\"}) {
        SCOPED_TRACE(path);
        EXPECT_NO_THROW(CreateDirectoryTree(path));
        EXPECT_NO_THROW(CreateDirectoryTreeQuietly(path));
    }
    EXPECT_FALSE(Exists("hr-bare-name"));
}

// A drive letter that names no drive: the walk up from a missing level ends at its root.
TEST(CreateDirectoryTree, FailsOnAMissingDriveWhateverTheSeparators) {
    const DWORD drives = GetLogicalDrives();
    char letter = 'Z';
    while (letter > 'D' && (drives & (1u << (letter - 'A')))) --letter;
    ASSERT_FALSE(drives & (1u << (letter - 'A')));
    // The folder named is the first one that could not be made, as passed down.
    const struct {
        std::string rest, failing;
    } cases[] = {{":/x", ":/x"}, {":/x/", ":/x/"}, {":\\x\\y", ":\\x\\"}, {":/x/y/", ":/x/"}};
    for (const auto& c : cases) {
        const std::string path = letter + c.rest;
        SCOPED_TRACE(path);
        std::string failure;
        try {
            CreateDirectoryTree(path);
        } catch (const std::runtime_error& e) {
            failure = e.what();
        }
        EXPECT_EQ(failure.rfind(letter + c.failing + " : ", 0), 0u) << failure;
        EXPECT_NO_THROW(CreateDirectoryTreeQuietly(path));
    }
}

}  // namespace
