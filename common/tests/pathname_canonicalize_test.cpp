// Canonicalize against the real file system of the Wine prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "common/pathname.h"
#include "scratch_folder.h"

namespace {

std::string LowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return text;
}

std::string WithSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

std::string Canonical(const std::string& typed) {
    PathName path(typed);
    path.Canonicalize();
    EXPECT_EQ(path.Part(PathName::kWhole), path.Text());
    return path.Text();
}

TEST(PathNameCanonicalize, SpellsEachComponentAsStored) {
    ScratchFolder scratch;
    scratch.MakeFolder("Alpha One");
    scratch.MakeFolder("alpha2");
    scratch.MakeFile("Alpha One\\Data.TXT");
    const std::string s = scratch.Path();  // C:\users\...\hr-test-N-0, as stored
    const struct {
        std::string typed;
        std::string canonical;
    } cases[] = {
        {LowerCase(s) + "\\alpha one\\data.txt", s + "\\Alpha One\\Data.TXT"},
        // Only the separator right after the root stays as written.
        {WithSlashes(LowerCase(s)) + "/ALPHA2/", "C:/" + s.substr(3) + "\\alpha2\\"},
        // What does not exist yet stays as typed.
        {s + "\\alpha one\\new\\Deeper\\", s + "\\Alpha One\\new\\Deeper\\"},
        {s + "\\missing\\..\\.\\alpha one", s + "\\Alpha One"},
        // alph* matches two folders: kept, and nothing below it can be looked up.
        {s + "\\alph*\\data.txt", s + "\\alph*\\data.txt"},
        {"//srv/share/x", "\\\\srv/share\\x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(Canonical(c.typed), c.canonical);
    }
}

TEST(PathNameCanonicalize, TurnsAShortNameIntoTheLongOne) {
    // Wine hashes short names (PROG~FBU, not PROGRA~1): ask it for the one it uses.
    char shortName[MAX_PATH];
    ASSERT_NE(GetShortPathNameA("C:\\Program Files", shortName, MAX_PATH), 0u);
    const std::string typed = LowerCase(shortName);  // c:\prog~fbu
    ASSERT_NE(typed, "c:\\program files");
    EXPECT_EQ(Canonical(typed + "/Hintrail"), "C:\\Program Files\\Hintrail");
    EXPECT_EQ(Canonical(WithSlashes(typed)), "C:/Program Files");
}

}  // namespace
