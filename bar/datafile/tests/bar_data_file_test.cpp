// The real Hintrail.exe keeps what it learned: the bar learns the shortcuts of its own popup
// menu, writes them to its data file when it closes and again when it ends, and a bar started
// again shows them as soon as it comes to the front. A file it cannot read whole is kept.
#include <windows.h>

#include <gtest/gtest.h>

#include "bar/archive/store_file.h"
#include "bar/archive/tests/fixture_bytes.h"
#include "bar/archive/tests/sg_records.h"
#include "bar/datafile/disk_data_file.h"
#include "bar/tests/bar_process.h"

namespace {

using bartest::BarProcess;
using bartest::WaitFor;
using bartest::WindowText;
using Bytes = std::vector<std::uint8_t>;

std::string ClassName(HWND window) {
    char name[256] = {};
    return std::string(name, GetClassNameA(window, name, sizeof(name)));
}

// Bytes of the data file, written in the order the format has them.
class FileBytes {
public:
    // Tags and numbers in hex, as archive_sample::Fixture reads them.
    FileBytes& Hex(const char* spec) {
        const Bytes more = archive_sample::Fixture(spec);
        m_bytes.insert(m_bytes.end(), more.begin(), more.end());
        return *this;
    }
    // A short string: its length byte, then its bytes.
    FileBytes& Text(const std::string& text) {
        m_bytes.push_back(static_cast<std::uint8_t>(text.size()));
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    const Bytes& Get() const { return m_bytes; }

private:
    Bytes m_bytes;
};

class BarDataFile : public ::testing::Test {
protected:
    BarDataFile() { bartest::RemoveBarDataFiles(); }
    ~BarDataFile() override { bartest::RemoveBarDataFiles(); }

    std::optional<Bytes> OnDisk(const std::string& path) const {
        return DiskDataFile([&path](bool) { return path; }).Read();
    }

    const std::string dataFile = bartest::BarDataFilePath();
    bartest::FrontTaker front;
};

TEST_F(BarDataFile, WhatTheBarLearnedIsSavedBeforeItsWindowGoesAndAgainWhenItEnds) {
    BarProcess bar;
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bartest::LearnBarPopup(bar, front)) << WindowText(bar.Bar());
    const std::string className = ClassName(bar.Bar());
    std::optional<Bytes> whenTheWindowWent;
    bartest::WindowGoneProbe probe(bar.Bar(), [&] {
        whenTheWindowWent = OnDisk(dataFile);
        // Gone again: what lies there after the end is the store's own last save.
        DeleteFileA(dataFile.c_str());
    });
    ASSERT_TRUE(probe.Exists());
    ASSERT_TRUE(bar.Close());
    EXPECT_FALSE(probe.Exists());
    const Bytes expected = FileBytes()
                               .Hex("46 25 51 5D  00 00 00 00  01 00 00 00  FF FF 01 00 09 00 'CSgShadow'")
                               .Text(className)
                               .Text("Hintrail.exe")
                               .Hex("02 00 00 00  FF FF 00 00 0A 00 'CSgCommand'  46 E1 00 00")  // help, 57670
                               .Text("ヘルプ<F1>")
                               .Hex("03 80  03 80 00 00")  // exit, 32771
                               .Text("終了<Alt+F4>")
                               .Hex("01 00 00 00")
                               .Get();
    EXPECT_EQ(whenTheWindowWent, expected) << "saved on closing, before the window went";
    EXPECT_EQ(OnDisk(dataFile), expected) << "saved again when the store went, at the end";
    EXPECT_EQ(GetFileAttributesA(DiskDataFile::TemporaryPath(dataFile).c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(BarDataFile, ABarStartedAgainShowsWhatTheLastOneLearnedAtOnce) {
    std::string learnedBy;
    {
        BarProcess first;
        ASSERT_TRUE(first.Start());
        ASSERT_TRUE(bartest::LearnBarPopup(first, front)) << WindowText(first.Bar());
        learnedBy = ClassName(first.Bar());
        ASSERT_TRUE(first.Close());
    }
    BarProcess again;
    ASSERT_TRUE(again.Start());
    // Found by the bar's window class, whose name must stay the same from run to run.
    EXPECT_EQ(ClassName(again.Bar()), learnedBy);
    ASSERT_TRUE(bartest::ActivateBar(again, front));
    EXPECT_EQ(WindowText(again.Bar()), bartest::kLearnedFromPopup)
        << "the first text it shows is the learned one";
}

// A file that goes wrong part way: the bar keeps the records before the fault and saves them;
// the file as it was, with everything after the fault, is kept beside it, one copy of the
// latest such file.
TEST_F(BarDataFile, AFileItCannotReadWholeIsKeptAsItWasBesideTheSavedOne) {
    const Bytes editor = FileBytes()
                             .Hex("FF FF 01 00 09 00 'CSgShadow'")
                             .Text("EditorFrame")
                             .Text("editor.exe")
                             .Hex("01 00 00 00  FF FF 00 00 0A 00 'CSgCommand'  01 00 00 00")
                             .Text("New<Ctrl+N>")
                             .Hex("01 00 00 00")
                             .Get();
    const Bytes viewer = FileBytes().Hex("01 80").Text("ViewerFrame").Text("viewer.exe").Hex("00 00 00 00  01 00 00 00").Get();
    const auto join = [](std::initializer_list<Bytes> parts) {
        Bytes all;
        for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
        return all;
    };
    const Bytes truncated = join({archive_sample::Fixture("46 25 51 5D  00 00 00 00  02 00 00 00"), editor,
                                  Bytes(viewer.begin(), viewer.begin() + 9)});
    const Bytes corruptInTheMiddle =
        join({archive_sample::Fixture("46 25 51 5D  00 00 00 00  03 00 00 00"), editor,
              FileBytes().Hex("FF FF 01 00 09 00 'CSgWindow'").Text("BrokenFrame").Get(), viewer});
    const struct {
        const char* name;
        const Bytes& file;
    } cases[] = {{"truncated", truncated}, {"a corrupt record in the middle", corruptInTheMiddle}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(DiskDataFile([this](bool) { return dataFile; }).Write(c.file));
        {
            BarProcess bar;
            ASSERT_TRUE(bar.Start());
            ASSERT_TRUE(bar.Close());
        }
        EXPECT_EQ(OnDisk(DiskDataFile::UnreadablePath(dataFile)), c.file) << "the file as it was";
        const std::optional<Bytes> saved = OnDisk(dataFile);
        ASSERT_TRUE(saved);
        archive_sample::Store records;
        const auto toAnsi = [](std::u16string_view) { return std::string(); };
        EXPECT_EQ(fw::ReadStoreFile(fw::ByteSpan{saved->data(), saved->size()}, toAnsi, records), fw::ArchiveError::none);
        // The bar may have added a record of its own after them.
        ASSERT_FALSE(records.empty());
        const CSgShadow& first = *records.front();
        EXPECT_EQ(first.m_strClassName, "EditorFrame");
        ASSERT_EQ(first.m_commands.size(), 1u);
        EXPECT_EQ(first.m_commands[0]->m_strText, "New<Ctrl+N>");
        for (const auto& record : records) EXPECT_NE(record->m_strClassName, "ViewerFrame");
    }
}

}  // namespace
