#include "setup/copy_file_stamped.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/system_error.h"
#include "restart_fixture.h"
#include "setup_files.h"

namespace hr::test {
namespace {

using CopyFileStampedTest = RestartTest;

constexpr ULONGLONG kSourceTime = 125911584000000000;  // 2000-01-01, older than any test run

// More than the 64 KiB that one read moves, and not a multiple of it.
std::string LongContent() {
    std::string bytes;
    for (int i = 0; bytes.size() < 200001; ++i) bytes += std::to_string(i) + ",";
    return bytes;
}

TEST_F(CopyFileStampedTest, CopiesIntoAMissingTargetWithTheSourceTimeAsAllThreeTimes) {
    for (const std::string& content : {LongContent(), std::string()}) {
        SCOPED_TRACE(content.size());
        const std::string source = File("source.ex_", content);
        SetLastWriteTime(source, kSourceTime);
        const std::string target = Path("Target file.exe");
        DeleteFileA(target.c_str());

        CopyFileStamped(source, target, true);

        const FileTimes times = TimesOf(target);  // before reading it changes the access time
        EXPECT_EQ(times.creation, kSourceTime);
        EXPECT_EQ(times.lastAccess, kSourceTime);
        EXPECT_EQ(times.lastWrite, kSourceTime);
        EXPECT_EQ(ReadBytes(target), content);
        EXPECT_EQ(ReadBytes(target + "_"), "<missing>");
        EXPECT_TRUE(PendingRenames().empty());
        EXPECT_EQ(WinInit(), "<missing>");
    }
}

TEST_F(CopyFileStampedTest, KeepsAnExistingTargetWhenNotToOverwrite) {
    const std::string target = File("Hintrail.dat", "kept");
    CopyFileStamped(Path("no such source"), target, false);
    EXPECT_EQ(ReadBytes(target), "kept");
    EXPECT_EQ(ReadBytes(target + "_"), "<missing>");
    EXPECT_TRUE(PendingRenames().empty());
}

TEST_F(CopyFileStampedTest, WritesBesideAnExistingTargetAndAsksTheSystemToDeleteItFirst) {
    const std::string source = File("source.ex_", "new");
    SetLastWriteTime(source, kSourceTime);
    const std::string target = File("Hintrail.exe", "old");
    File("Hintrail.exe_", "an older copy, overwritten");

    CopyFileStamped(source, target, true);

    EXPECT_EQ(ReadBytes(target), "old");
    EXPECT_EQ(ReadBytes(target + "_"), "new");
    EXPECT_EQ(TimesOf(target + "_").lastWrite, kSourceTime);
    EXPECT_EQ(PendingRenames(),
              (std::vector<std::string>{Listed(target), "", Listed(target + "_"), Listed(target)}));
    EXPECT_EQ(WinInit(), "<missing>");

    ASSERT_TRUE(RestartWindows());
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(ReadBytes(target + "_"), "<missing>");
}

TEST_F(CopyFileStampedTest, WithoutDelayedMovesPutsTheDeletionAboveTheRenameInWinInit) {
    RefuseDelayedMoves();
    const std::string source = File("source.ex_", "new");
    const std::string target = File("Hintrail.exe", "old");

    CopyFileStamped(source, target, true);

    EXPECT_EQ(WinInit(), "[Rename]\r\nNUL=" + ShortPath(target) + "\r\n" + ShortPath(target) + "=" +
                             ShortPath(target + "_") + "\r\n");
    EXPECT_TRUE(PendingRenames().empty());

    ASSERT_TRUE(RestartWindows());
    EXPECT_EQ(ReadBytes(target), "new");
    EXPECT_EQ(ReadBytes(target + "_"), "<missing>");
}

TEST_F(CopyFileStampedTest, NamesTheFileThatFailed) {
    scratch_.MakeFolder("Busy.exe_");  // the write name cannot be created over a folder
    const struct {
        std::string source, target, failure;
    } cases[] = {
        {Path("missing.ex_"), Path("a.exe"),
         Path("missing.ex_") + " : " + SystemErrorText(ERROR_FILE_NOT_FOUND)},
        {File("s.ex_", "s"), Path("no folder\\a.exe"),
         Path("no folder\\a.exe") + " : " + SystemErrorText(ERROR_PATH_NOT_FOUND)},
        {File("s.ex_", "s"), File("Busy.exe", "old"),
         Path("Busy.exe_") + " : " + SystemErrorText(ERROR_ACCESS_DENIED)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.target);
        std::string failure;
        try {
            CopyFileStamped(c.source, c.target, true);
        } catch (const std::runtime_error& e) {
            failure = e.what();
        }
        EXPECT_EQ(failure, c.failure);
    }
    EXPECT_TRUE(PendingRenames().empty());
}

}  // namespace
}  // namespace hr::test
