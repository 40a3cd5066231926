// The real bar learning from programs nobody here wrote: Wine's own notepad, regedit and
// winemine, each in its own process. Wine keeps menus per process, so the bar cannot read their
// menus through the handles: all it shows of them came from the hook library, which read them
// inside the programs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/tests/bar_process.h"
#include "common/win_handles.h"
#include "hooklib/hook_protocol.h"

namespace {

using bartest::WaitFor;
using bartest::WindowText;

// The window the bar's hook window tracks; null while there is no hook window (a bar that has
// just started makes it after its bar window).
HWND TrackedWindow() {
    const HWND hookWindow = FindWindowA(hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle);
    if (!hookWindow) return nullptr;
    return reinterpret_cast<HWND>(hr::hook::HandleFrom32(
        static_cast<std::uint32_t>(GetWindowLongA(hookWindow, hr::hook::kTrackedWindowOffset))));
}

// A program started from the system folder, and its main window once it shows. Closed at the end.
class RealProgram {
public:
    RealProgram(const char* commandLine, const char* windowClass) {
        std::string line = commandLine;
        STARTUPINFOA startup{sizeof(startup)};
        PROCESS_INFORMATION process{};
        if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            return;
        }
        CloseHandle(process.hThread);
        m_process.Reset(process.hProcess);
        const DWORD id = process.dwProcessId;
        WaitFor([&] {
            for (HWND w = FindWindowExA(nullptr, nullptr, windowClass, nullptr); w;
                 w = FindWindowExA(nullptr, w, windowClass, nullptr)) {
                DWORD owner = 0;
                GetWindowThreadProcessId(w, &owner);
                if (owner == id && IsWindowVisible(w)) m_window = w;
            }
            return m_window != nullptr;
        });
    }
    ~RealProgram() {
        if (!m_process) return;
        if (m_window) PostMessageA(m_window, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(m_process.Get(), 10000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.Get(), 1);
    }
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    HWND Window() const { return m_window; }

    // Reached the way a user reaches it, by a switch from another window, until the bar tracks
    // it: a builtin program's first activations after its start may go unreported under Wine,
    // and a program or bar that is still starting may take the front back meanwhile.
    bool SwitchTo(const bartest::FrontTaker& other) const {
        const auto settles = std::chrono::seconds(2);
        const auto inFront = [settles](HWND window) {
            SetForegroundWindow(window);
            return WaitFor([window] { return GetForegroundWindow() == window; }, settles);
        };
        return WaitFor(
            [&] {
                return inFront(other.Get()) && inFront(m_window) &&
                       WaitFor([&] { return TrackedWindow() == m_window; }, settles);
            },
            std::chrono::seconds(60));
    }

private:
    ScopedObject m_process;
    HWND m_window = nullptr;
};

class RealPrograms : public ::testing::Test {
protected:
    void SetUp() override {
        bartest::ClearPlacement();
        bartest::RemoveBarDataFiles();  // the bar knows nothing yet
        ASSERT_TRUE(bar.Start());
        ASSERT_TRUE(WaitFor(
            [] { return FindWindowA(hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle); }));
    }
    void TearDown() override {
        bar.Close();
        bartest::RemoveBarDataFiles();
    }
    // Waits until the bar's text holds the shortcuts, in this order.
    bool ShowsInOrder(const std::vector<std::string>& shortcuts) {
        return WaitFor([&] {
            const std::string text = WindowText(bar.Bar());
            std::size_t from = 0;
            for (const std::string& shortcut : shortcuts) {
                from = text.find(shortcut + "  ", from);
                if (from == std::string::npos) return false;
            }
            return true;
        });
    }

    bartest::BarProcess bar;
    bartest::FrontTaker front;
};

struct Program {
    const char* commandLine;
    const char* windowClass;
    std::vector<std::string> shortcuts;  // some of its menu bar's, in menu order
};

void PrintTo(const Program& program, std::ostream* out) { *out << program.commandLine; }

class EachProgram : public RealPrograms, public ::testing::WithParamInterface<Program> {};

TEST_P(EachProgram, ItsMenuBarsShortcutsAppearWhenItComesToTheFront) {
    const Program& p = GetParam();
    RealProgram program(p.commandLine, p.windowClass);
    ASSERT_NE(program.Window(), nullptr);
    ASSERT_TRUE(program.SwitchTo(front));
    EXPECT_TRUE(ShowsInOrder(p.shortcuts)) << WindowText(bar.Bar());
}

INSTANTIATE_TEST_SUITE_P(Wine, EachProgram,
                         ::testing::Values(Program{"notepad.exe",
                                                   "Notepad",
                                                   {"新規作成<Ctrl+N>", "開く...<Ctrl+O>",
                                                    "保存<Ctrl+S>", "すべて選択<Ctrl+A>"}},
                                           Program{
                                               "regedit.exe",
                                               "RegEdit_RegEdit",
                                               {"名前の変更<F2>", "検索...<Ctrl+F>", "更新<F5>"}},
                                           Program{"winemine.exe", "WineMine", {"スタート<F2>"}}),
                         [](const ::testing::TestParamInfo<Program>& info) {
                             const std::string name = info.param.commandLine;
                             return name.substr(0, name.find('.'));
                         });

TEST_F(RealPrograms, ACommandChosenFromNotepadsEditMenuMovesToTheFrontAndIsThereAfterARestart) {
    RealProgram notepad("notepad.exe", "Notepad");
    ASSERT_NE(notepad.Window(), nullptr);
    ASSERT_TRUE(notepad.SwitchTo(front))
        << "front " << GetForegroundWindow() << ", tracked " << TrackedWindow();
    ASSERT_TRUE(ShowsInOrder({"新規作成<Ctrl+N>", "すべて選択<Ctrl+A>"})) << WindowText(bar.Bar());

    // Some text with the caret in it, so that Select All shows that it ran.
    const HWND edit = FindWindowExA(notepad.Window(), nullptr, "Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("abc"));
    SendMessageA(edit, EM_SETSEL, 1, 1);

    // Edit, then Select All, by the keyboard.
    bartest::PressKeys({VK_MENU, 'E'});
    ASSERT_TRUE(WaitFor([] { return bartest::FindTopWindow("#32768", "") != nullptr; }))
        << "the Edit menu opens";
    bartest::PressKeys({'A'});
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(edit, EM_GETSEL, 0, 0) == MAKELRESULT(0, 3); }))
        << "notepad selected all";
    const std::string chosenFirst = "すべて選択<Ctrl+A>  新規作成<Ctrl+N>  ";
    ASSERT_TRUE(WaitFor([&] { return WindowText(bar.Bar()).rfind(chosenFirst, 0) == 0; }))
        << WindowText(bar.Bar());
    const std::string learned = WindowText(bar.Bar());

    // A new bar on the data file the old one saved knows notepad at its first activation.
    ASSERT_TRUE(bar.Close());
    ASSERT_TRUE(bar.Start());
    ASSERT_TRUE(notepad.SwitchTo(front));
    EXPECT_EQ(WindowText(bar.Bar()), learned);
}

}  // namespace
