// Runs natively and under Wine: folder creation walks up these levels on both programs' paths.
#include "common/directory_level.h"

#include <gtest/gtest.h>

namespace {

struct LevelCase {
    const char* path;
    const char* entry;
    const char* parent;
};

// "ソ" ends in the byte of '\' (83 5C): it is no separator.
const LevelCase kLevelCases[] = {
    {"C:\\A\\B\\", "C:\\A\\B", "C:\\A\\"},
    {"C:\\A\\B", "C:\\A\\B", "C:\\A\\"},
    {"C:/A/B/", "C:/A/B", "C:/A/"},
    {"C:/A/", "C:/A", "C:/"},
    {"Q:/x", "Q:/x", "Q:/"},
    {"C:\\A/B", "C:\\A/B", "C:\\A/"},
    {"C:\\", "", ""},
    {"C:/", "", ""},
    {"C:", "", ""},
    {"", "", ""},
    {"name", "", ""},
    {"name\\", "", ""},
    {"name/", "", ""},
    {"/", "", ""},
    {"C:\\\\", "C:\\", "C:\\"},
    {"C:\\ソ", "C:\\ソ", "C:\\"},
    {"C:\\ソ\\", "C:\\ソ", "C:\\"},
    {"\\\\srv\\share\\x\\", "\\\\srv\\share\\x", "\\\\srv\\share\\"},
    {"\\\\srv", "", ""},
};

TEST(DirectoryLevel, IsThePathWithoutOneFinalSeparatorAndItsFolder) {
    for (const LevelCase& c : kLevelCases) {
        SCOPED_TRACE(c.path);
        const DirectoryLevel level = DirectoryLevelOf(c.path);
        EXPECT_EQ(level.entry, c.entry);
        EXPECT_EQ(level.parent, c.parent);
    }
}

// A folder whose levels are all missing is walked up to its root: the walk must end there,
// whichever separators the user typed.
TEST(DirectoryLevel, WalkingUpTheParentsEnds) {
    for (const char* path : {"Q:/x", "C:/A/", "C:/A/B/C/", "C:\\A\\\\B//", "\\\\srv/share/x/",
                             "/a/b/", "a/b/", "C:ソ/表示/", "C:////"}) {
        SCOPED_TRACE(path);
        std::string level = path;
        for (DirectoryLevel next = DirectoryLevelOf(level); !next.entry.empty();
             next = DirectoryLevelOf(level)) {
            ASSERT_LT(next.parent.size(), level.size());
            level = next.parent;
        }
    }
}

}  // namespace
