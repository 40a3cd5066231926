#include "setup/restart_move.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/system_error.h"
#include "common/win_handles.h"
#include "restart_fixture.h"
#include "setup/wininit_file.h"
#include "setup_files.h"

namespace hr::test {
namespace {

using MoveFileAtRestartTest = RestartTest;

std::string FailureOf(const std::string& existing, const std::string& target) {
    try {
        MoveFileAtRestart(existing, target);
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

TEST_F(MoveFileAtRestartTest, AsksTheSystemForDeletionsAndRenames) {
    const std::string old = File("old.txt", "old");
    const std::string copy = File("Long name.txt_", "new");
    MoveFileAtRestart(old, kDeleteAtRestart);
    MoveFileAtRestart(copy, old);
    EXPECT_EQ(PendingRenames(),
              (std::vector<std::string>{Listed(old), "", Listed(copy), Listed(old)}));
    EXPECT_EQ(WinInit(), "<missing>");

    ASSERT_TRUE(RestartWindows());
    EXPECT_EQ(ReadBytes(old), "new");
    EXPECT_EQ(ReadBytes(copy), "<missing>");
}

TEST_F(MoveFileAtRestartTest, SkipsTheDeletionOfAMissingFileAndRefusesToRenameOne) {
    RefuseDelayedMoves();  // so that a request would show in WinInit.Ini
    const std::string there = File("there.txt", "x");
    EXPECT_EQ(FailureOf(Path("gone.txt"), kDeleteAtRestart), "");
    EXPECT_EQ(FailureOf(Path("gone.txt"), there),
              Path("gone.txt") + " : ファイルが存在しないためコピーできません");
    EXPECT_EQ(FailureOf(there, Path("gone.txt")),
              there + " : ファイルが存在しないためコピーできません");
    EXPECT_EQ(WinInit(), "<missing>");
    EXPECT_TRUE(PendingRenames().empty());
}

TEST_F(MoveFileAtRestartTest, WritesWinInitWhenTheSystemRefuses_LaterRequestsAbove) {
    RefuseDelayedMoves();
    const std::string old = File("old.txt", "old");
    const std::string copy = File("Long name.txt_", "new");
    MoveFileAtRestart(copy, old);
    EXPECT_EQ(WinInit(), "[Rename]\r\n" + ShortPath(old) + "=" + ShortPath(copy) + "\r\n");
    MoveFileAtRestart(Path("other.txt"), kDeleteAtRestart);  // missing: no line
    MoveFileAtRestart(old, kDeleteAtRestart);
    EXPECT_EQ(WinInit(), "[Rename]\r\nNUL=" + ShortPath(old) + "\r\n" + ShortPath(old) + "=" +
                             ShortPath(copy) + "\r\n");
    EXPECT_TRUE(PendingRenames().empty());

    ASSERT_TRUE(RestartWindows());
    EXPECT_EQ(ReadBytes(old), "new");
    EXPECT_EQ(ReadBytes(copy), "<missing>");
}

TEST_F(MoveFileAtRestartTest, KeepsWhatWinInitHeldAndAddsToTheExactSectionOnly) {
    RefuseDelayedMoves();
    const std::string file = File("a.txt", "a");
    const std::string line = "NUL=" + ShortPath(file) + "\r\n";
    const struct {
        std::string before, after;
    } cases[] = {
        {"[boot]\r\nx=1\r\n[Rename]\r\nC:\\B=C:\\C\r\n[z]\r\n",
         "[boot]\r\nx=1\r\n[Rename]\r\n" + line + "C:\\B=C:\\C\r\n[z]\r\n"},
        {"[rename]\r\nC:\\B=C:\\C\r\n", "[rename]\r\nC:\\B=C:\\C\r\n[Rename]\r\n" + line},
        {"[Rename]\nC:\\B=C:\\C\n", "[Rename]\nC:\\B=C:\\C\n[Rename]\r\n" + line},
        {"[boot]\r\nx=1", "[boot]\r\nx=1\r\n[Rename]\r\n" + line},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        WriteBytes(WinInitPath(), c.before);
        MoveFileAtRestart(file, kDeleteAtRestart);
        EXPECT_EQ(WinInit(), c.after);  // cut to its new length: no zero bytes at the end
    }
}

TEST_F(MoveFileAtRestartTest, ReportsAWinInitThatCannotBeOpened) {
    RefuseDelayedMoves();
    const std::string file = File("a.txt", "a");
    WriteBytes(WinInitPath(), "[Rename]\r\n");
    const ScopedFile heldOpen(CreateFileA(WinInitPath().c_str(), GENERIC_READ, 0, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(heldOpen);
    EXPECT_EQ(FailureOf(file, kDeleteAtRestart),
              WinInitPath() + " : " + SystemErrorText(ERROR_SHARING_VIOLATION));
}

}  // namespace
}  // namespace hr::test
