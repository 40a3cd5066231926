#include "setup/file_lists.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/system_error.h"
#include "common/win_handles.h"
#include "restart_fixture.h"
#include "setup_box_answerer.h"
#include "setup_files.h"

namespace hr::test {
namespace {

using FileListsTest = RestartTest;

const FileCopyEntry kTable[] = {
    {"one.ex_", "one.exe"},
    {"two.da_", "!two.dat"},
    {"three.txt", "three.txt"},
    {nullptr, nullptr},
};

// The failure's text, or "" when the work ended normally.
template <class Work>
std::string FailureOf(const Work& work) {
    try {
        work();
    } catch (const std::runtime_error& e) {
        return e.what();
    }
    return "";
}

class CopyFileListTest : public FileListsTest {
protected:
    CopyFileListTest() {
        scratch_.MakeFolder("medium");
        for (const char* name : {"one.ex_", "two.da_", "three.txt"}) {
            File(std::string("medium\\") + name, name);
        }
    }
    std::string Source() const { return Path("medium\\"); }
    std::string Target() const { return Path("Program Files\\Hintrail\\"); }
};

TEST_F(CopyFileListTest, CreatesTheFolderAndCopiesEveryRowUnderItsTargetName) {
    EXPECT_EQ(FailureOf([&] { CopyFileList(Source(), Target(), kTable); }), "");
    EXPECT_EQ(ReadBytes(Target() + "one.exe"), "one.ex_");
    EXPECT_EQ(ReadBytes(Target() + "two.dat"), "two.da_");
    EXPECT_EQ(ReadBytes(Target() + "three.txt"), "three.txt");
    EXPECT_TRUE(PendingRenames().empty());
}

TEST_F(CopyFileListTest, KeepsAnExistingTargetMarkedWithABang) {
    CopyFileList(Source(), Target(), kTable);
    File("medium\\two.da_", "shipped again");
    CopyFileList(Source(), Target(), kTable);
    EXPECT_EQ(ReadBytes(Target() + "two.dat"), "two.da_");
    EXPECT_EQ(ReadBytes(Target() + "two.dat_"), "<missing>");
    EXPECT_EQ(ReadBytes(Target() + "one.exe_"), "one.ex_");
    EXPECT_EQ(PendingRenames().size(), 8u);  // two requests for each of the other two rows
}

TEST_F(CopyFileListTest, RetryRepeatsOnlyTheFailingRow) {
    DeleteFileA(Path("medium\\three.txt").c_str());
    SetupBoxAnswerer answerer({{IDRETRY, [&] {
                                    File("medium\\one.ex_", "changed meanwhile");
                                    File("medium\\three.txt", "restored");
                                }}});
    EXPECT_EQ(FailureOf([&] { CopyFileList(Source(), Target(), kTable); }), "");
    EXPECT_EQ(answerer.Texts(), (std::vector<std::string>{Path("medium\\three.txt") + " : " +
                                                          SystemErrorText(ERROR_FILE_NOT_FOUND)}));
    EXPECT_EQ(ReadBytes(Target() + "one.exe"), "one.ex_");
    EXPECT_EQ(ReadBytes(Target() + "three.txt"), "restored");
}

TEST_F(CopyFileListTest, CancelEndsTheWorkBeforeTheRowsAfterTheFailingOne) {
    DeleteFileA(Path("medium\\two.da_").c_str());
    SetupBoxAnswerer answerer({{IDRETRY, nullptr}, {IDCANCEL, nullptr}});
    EXPECT_EQ(FailureOf([&] { CopyFileList(Source(), Target(), kTable); }),
              "セットアップに失敗しました.");
    const std::string failure =
        Path("medium\\two.da_") + " : " + SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(answerer.Texts(), (std::vector<std::string>{failure, failure}));
    EXPECT_EQ(ReadBytes(Target() + "one.exe"), "one.ex_");
    EXPECT_EQ(ReadBytes(Target() + "three.txt"), "<missing>");
}

TEST_F(CopyFileListTest, AFolderThatCannotBeMadeEndsTheWorkWithoutTheBox) {
    File("Program Files", "a file where a folder belongs");
    SetupBoxAnswerer answerer({}, GetCurrentProcessId(), 0);
    EXPECT_EQ(FailureOf([&] { CopyFileList(Source(), Target(), kTable); }),
              Path("Program Files") + " : フォルダではありません.");
    EXPECT_TRUE(answerer.Texts().empty());
}

TEST_F(FileListsTest, DeleteFileListDeletesWhatIsThereAndAsksAboutWhatCannotBeDeleted) {
    const char* const names[] = {"a.hlp", "missing.cnt", "b.txt", nullptr};
    File("a.hlp", "a");
    const std::string locked = File("b.txt", "b");
    ScopedFile holder(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    SetupBoxAnswerer answerer({{IDRETRY, nullptr}, {IDRETRY, [&] { holder.Reset(); }}});

    EXPECT_EQ(FailureOf([&] { DeleteFileList(Path(""), names); }), "");

    ASSERT_EQ(answerer.Texts().size(), 2u);
    EXPECT_EQ(answerer.Texts()[0], locked + " : " + SystemErrorText(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(ReadBytes(Path("a.hlp")), "<missing>");
    EXPECT_EQ(ReadBytes(locked), "<missing>");
}

TEST_F(FileListsTest, DeleteFileListCancelled) {
    const char* const names[] = {"b.txt", "c.txt", nullptr};
    const std::string locked = File("b.txt", "b");
    File("c.txt", "c");
    const ScopedFile holder(CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    SetupBoxAnswerer answerer({{IDCANCEL, nullptr}});
    EXPECT_EQ(FailureOf([&] { DeleteFileList(Path(""), names); }), "セットアップに失敗しました.");
    EXPECT_EQ(answerer.Texts().size(), 1u);
    EXPECT_EQ(ReadBytes(Path("c.txt")), "c");
}

}  // namespace
}  // namespace hr::test
