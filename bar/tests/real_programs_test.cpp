// The real bar learning from programs nobody here wrote: Wine's own notepad, regedit and
// winemine, each in its own process. Wine keeps menus per process, so the bar cannot read their
// menus through the handles: all it shows of them came from the hook library, which read them
// inside the programs.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/tests/bar_process.h"
#include "hooklib/hook_protocol.h"

namespace {

using bartest::RealProgram;
using bartest::TrackedWindow;
using bartest::WaitFor;
using bartest::WindowText;

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
