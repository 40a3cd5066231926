// The real Hintrail.exe keeps what it learned: the bar learns the shortcuts of its own popup
// menu, writes them to its data file when it closes, and a bar started again shows them as
// soon as it comes to the front.
#include <windows.h>

#include <gtest/gtest.h>

#include "bar/archive/tests/fixture_bytes.h"
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

    const std::string dataFile = bartest::BarDataFilePath();
    bartest::FrontTaker front;
};

TEST_F(BarDataFile, WhatTheBarLearnedIsInItsDataFileWhenItCloses) {
    BarProcess bar;
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(bartest::LearnBarPopup(bar, front)) << WindowText(bar.Bar());
    const std::string className = ClassName(bar.Bar());
    ASSERT_TRUE(bar.Close());
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
    EXPECT_EQ(DiskDataFile([this](bool) { return dataFile; }).Read(), expected);
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

}  // namespace
