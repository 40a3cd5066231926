// The data file on the prefix's disk: whole reads, whole replacements, and what a failed save
// leaves behind.
#include "bar/datafile/disk_data_file.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/tests/scratch_folder.h"
#include "common/win_handles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Pattern(std::size_t size, std::uint8_t seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7 + (i >> 9));
    return bytes;
}

// The file's bytes as they lie, or nullopt when it cannot be opened.
std::optional<Bytes> OnDisk(const std::string& path) {
    return DiskDataFile([&path](bool) { return path; }).Read();
}

class DiskFile : public ::testing::Test {
protected:
    ScratchFolder scratch;
    // Below folders that do not exist yet.
    const std::string path = scratch / "OrrinLabs\\Hintrail\\Hintrail.dat";
    DiskDataFile file{[this](bool) { return path; }};
};

TEST_F(DiskFile, ASaveReplacesTheWholeFileAndLeavesNoTemporaryFile) {
    const Bytes first = Pattern(300000, 1);
    ASSERT_TRUE(file.Write(first));
    EXPECT_TRUE(IsFolder(scratch / "OrrinLabs\\Hintrail")) << "the folders are created on the way";
    EXPECT_EQ(file.Read(), first);

    const Bytes shorter = Pattern(5, 2);
    ASSERT_TRUE(file.Write(shorter));
    EXPECT_EQ(file.Read(), shorter) << "nothing of the longer file stays behind";
    EXPECT_FALSE(Exists(DiskDataFile::TemporaryPath(path)));
}

TEST_F(DiskFile, AMissingFileReadsAsNoneButItsFolderIsMade) {
    EXPECT_EQ(file.Read(), std::nullopt);
    EXPECT_TRUE(IsFolder(scratch / "OrrinLabs\\Hintrail"));
    ASSERT_TRUE(file.Write({}));
    EXPECT_EQ(file.Read(), Bytes{}) << "an empty file is a file";
}

TEST_F(DiskFile, AFailedSaveKeepsThePreviousFileAndRemovesItsTemporaryFile) {
    const Bytes old = Pattern(4096, 3);
    ASSERT_TRUE(file.Write(old));
    // The replacement cannot happen while the file is open without delete sharing: held by
    // another program, or by another copy of the bar reading it.
    for (const DWORD sharing : {DWORD{0}, DWORD{FILE_SHARE_READ}}) {
        SCOPED_TRACE(sharing);
        {
            const ScopedFile holder(CreateFileA(path.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(holder);
            EXPECT_FALSE(file.Write(Pattern(8192, 4)));
        }
        EXPECT_EQ(OnDisk(path), old);
        EXPECT_FALSE(Exists(DiskDataFile::TemporaryPath(path)));
    }
}

TEST_F(DiskFile, ASaveThatStopsPartWayLeavesThePreviousFileWhole) {
    const Bytes old = Pattern(4096, 8);
    ASSERT_TRUE(file.Write(old));
    {
        const std::unique_ptr<DataFileWriter> writer = file.Rewrite();
        ASSERT_TRUE(writer);
        ASSERT_TRUE(writer->Append(Pattern(100, 9)));
        EXPECT_EQ(OnDisk(path), old) << "the file itself is never written";
    }  // dropped before its commit, as by a save that failed part way
    EXPECT_EQ(OnDisk(path), old);
    EXPECT_FALSE(Exists(DiskDataFile::TemporaryPath(path)));
}

TEST_F(DiskFile, ASaveThatCannotStartLeavesEverythingAsItWas) {
    const Bytes old = Pattern(100, 5);
    ASSERT_TRUE(file.Write(old));
    // Something else by the temporary file's name, here a folder: it is not ours to remove.
    const std::string temporary = DiskDataFile::TemporaryPath(path);
    ASSERT_TRUE(CreateDirectoryA(temporary.c_str(), nullptr));
    EXPECT_FALSE(file.Write(Pattern(100, 6)));
    EXPECT_EQ(file.Read(), old);
    EXPECT_TRUE(IsFolder(temporary));
    RemoveDirectoryA(temporary.c_str());
}

TEST_F(DiskFile, AnUnreadableFileIsKeptBesideItOneCopyAtATime) {
    const Bytes unreadable = Pattern(5000, 4);
    ASSERT_TRUE(file.Write(unreadable));
    const std::string copy = DiskDataFile::UnreadablePath(path);
    EXPECT_EQ(copy, path + ".bad");
    ASSERT_TRUE(file.KeepUnreadable(unreadable));
    EXPECT_EQ(OnDisk(copy), unreadable);
    EXPECT_EQ(file.Read(), unreadable) << "the file itself stays until a save replaces it";

    const Bytes later = Pattern(10, 5);
    ASSERT_TRUE(file.KeepUnreadable(later));
    EXPECT_EQ(OnDisk(copy), later) << "a later failure replaces the copy";
    EXPECT_FALSE(Exists(DiskDataFile::TemporaryPath(copy)));
}

TEST(DiskDataFileText, UTF16TextBecomesTheAnsiCodePage) {
    ASSERT_EQ(GetACP(), 932u);
    const DiskDataFile file([](bool) { return std::string(); });
    // The right-hand literals are compiled to Shift-JIS.
    EXPECT_EQ(file.ToAnsi(u"表示ソ<Ctrl+S>"), "表示ソ<Ctrl+S>");
    EXPECT_EQ(file.ToAnsi(u""), "");
}

}  // namespace
