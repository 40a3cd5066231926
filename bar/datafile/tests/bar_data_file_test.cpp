// The real Hintrail.exe keeps what it learned: the bar learns the shortcuts of its own popup
// menu, writes them to its data file when it closes, and a bar started again shows them as
// soon as it comes to the front.
#include <windows.h>

#include <gtest/gtest.h>

#include "bar/archive/tests/fixture_bytes.h"
#include "bar/datafile/disk_data_file.h"
#include "bar/tests/bar_process.h"
#include "common/registry.h"

namespace {

using bartest::BarProcess;
using bartest::WaitFor;
using bartest::WindowText;
using Bytes = std::vector<std::uint8_t>;

const char kLearned[] = "ヘルプ<F1>  終了<Alt+F4>  ";

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

// A window of this test program that takes the front away from the bar. It is an owned
// pop-up, whose activation the hooks never report, so it leaves no record of its own.
class TestWindow {
public:
    TestWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HintrailDataFileTestWindow";
        RegisterClassA(&wc);
        m_owner = CreateWindowExA(0, wc.lpszClassName, "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                  wc.hInstance, nullptr);
        m_hwnd = CreateWindowExA(0, wc.lpszClassName, "test", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 200, 300,
                                 200, m_owner, nullptr, wc.hInstance, nullptr);
    }
    ~TestWindow() {
        DestroyWindow(m_hwnd);
        DestroyWindow(m_owner);
    }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Get() const { return m_hwnd; }

private:
    HWND m_owner = nullptr;
    HWND m_hwnd = nullptr;
};

bool BringToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; });
}

class BarDataFile : public ::testing::Test {
protected:
    BarDataFile() { RemoveDataFiles(); }
    ~BarDataFile() override { RemoveDataFiles(); }

    void RemoveDataFiles() {
        for (const std::string& path : {dataFile, besideProgram, DiskDataFile::TemporaryPath(dataFile)}) {
            DeleteFileA(path.c_str());
        }
    }

    // The bar is in front from its start, before its hooks are on and its store listens: its
    // activation counts only from then on. This test's window takes the front away and gives
    // it back until the bar shows the text of its record.
    void Activate(const BarProcess& bar) {
        ASSERT_TRUE(WaitFor([&] {
            return BringToFront(window.Get()) && BringToFront(bar.Bar()) &&
                   WaitFor([&] { return !WindowText(bar.Bar()).empty(); }, std::chrono::seconds(1));
        })) << "the bar's activation is not reported";
    }

    // The bar comes to the front (it gets a record and is the window whose popups count), then
    // its popup menu opens from the keyboard and closes again.
    void Learn(const BarProcess& bar) {
        ASSERT_NO_FATAL_FAILURE(Activate(bar));
        PostMessageA(bar.Bar(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar.Bar()), MAKELPARAM(-1, -1));
        HWND menu = nullptr;
        ASSERT_TRUE(WaitFor([&] {
            menu = bar.FindOwnWindow("#32768");
            return menu && IsWindowVisible(menu);
        }));
        PostMessageA(bar.Bar(), WM_CANCELMODE, 0, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }));
        ASSERT_TRUE(WaitFor([&] { return WindowText(bar.Bar()) == kLearned; })) << WindowText(bar.Bar());
    }

    // Where Hintrail.exe keeps its data: under the application-data folder the registry names
    // (a fresh prefix names one), else beside the program.
    const std::string appData = ReadRegistryText(
        HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "AppData");
    const std::string besideProgram = bartest::TestProgramFolder() + "Hintrail.dat";
    const std::string dataFile = appData.empty() ? besideProgram : appData + "\\OrrinLabs\\Hintrail\\Hintrail.dat";
    TestWindow window;
};

TEST_F(BarDataFile, WhatTheBarLearnedIsInItsDataFileWhenItCloses) {
    BarProcess bar;
    ASSERT_TRUE(bar.Start());
    ASSERT_NO_FATAL_FAILURE(Learn(bar));
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
        ASSERT_NO_FATAL_FAILURE(Learn(first));
        learnedBy = ClassName(first.Bar());
        ASSERT_TRUE(first.Close());
    }
    BarProcess again;
    ASSERT_TRUE(again.Start());
    // Found by the bar's window class, whose name must stay the same from run to run.
    EXPECT_EQ(ClassName(again.Bar()), learnedBy);
    ASSERT_NO_FATAL_FAILURE(Activate(again));
    EXPECT_EQ(WindowText(again.Bar()), kLearned) << "the first text it shows is the learned one";
}

}  // namespace
