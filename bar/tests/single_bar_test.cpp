// Hintrail.exe started while a bar runs: the bar that runs shows itself, and the new start ends
// having built nothing, touched no hook and written no file. The bar that runs goes on learning.
#include <windows.h>

#include <gtest/gtest.h>

#include "bar/tests/bar_process.h"
#include "hooklib/hook_protocol.h"

namespace {

using bartest::BarProcess;
using bartest::WaitFor;
using bartest::WindowRect;
using bartest::WindowText;

int HookWindows() {
    int n = 0;
    for (HWND h = FindWindowExA(nullptr, nullptr, hr::hook::kHookWindowClass,
                                hr::hook::kHookWindowTitle);
         h; h = FindWindowExA(nullptr, h, hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle))
        ++n;
    return n;
}

// Whether `upper` lies above `lower` in the z-order.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND h = GetWindow(upper, GW_HWNDNEXT); h; h = GetWindow(h, GW_HWNDNEXT))
        if (h == lower) return true;
    return false;
}

// Whether the right end of the bar's bottom line, on the screen, is mostly in this colour. The
// text never reaches there: it is the background.
bool BarShowsBackground(HWND bar, int colorIndex) {
    RECT rc{};
    GetClientRect(bar, &rc);
    POINT corner{rc.right - 2, rc.bottom - 2};
    ClientToScreen(bar, &corner);
    const COLORREF color = GetSysColor(colorIndex);
    HDC screen = GetDC(nullptr);
    int hits = 0;
    for (int i = 0; i < 8; ++i)
        if (GetPixel(screen, corner.x - 6 * i, corner.y) == color) ++hits;
    ReleaseDC(nullptr, screen);
    return hits >= 6;
}

// A topmost window of the test over the left of the bar, shown without taking the front.
class Cover {
public:
    explicit Cover(HWND bar) {
        const RECT rc = WindowRect(bar);
        m_hwnd = CreateWindowExA(
            WS_EX_TOPMOST | WS_EX_TOOLWINDOW, bartest::PlainWindowClass("HintrailBarCover"), "",
            WS_POPUP, rc.left, rc.top, 150, rc.bottom - rc.top, nullptr, nullptr, nullptr, nullptr);
        ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
    }
    ~Cover() { DestroyWindow(m_hwnd); }
    Cover(const Cover&) = delete;
    Cover& operator=(const Cover&) = delete;
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

class SingleBar : public ::testing::Test {
protected:
    void SetUp() override {
        bartest::ClearPlacement();
        bartest::RemoveBarDataFiles();
    }
    void TearDown() override {
        bartest::ClearPlacement();
        bartest::RemoveBarDataFiles();
    }

    bartest::FrontTaker front;
};

TEST_F(SingleBar, ASecondStartFlashesTheRunningBarAndEndsWithNothingChanged) {
    const struct {
        const char* name;
        DWORD seat;
    } seats[] = {{"docked at the top", 1}, {"floating", 4}};
    for (const auto& s : seats) {
        SCOPED_TRACE(s.name);
        bartest::SetPlacementValue("seat", s.seat);
        BarProcess first;
        ASSERT_TRUE(first.Start());
        ASSERT_TRUE(WaitFor([] { return HookWindows() == 1; }));
        ASSERT_TRUE(WaitFor([&] { return BarShowsBackground(first.Bar(), COLOR_INFOBK); }));
        const RECT band = WindowRect(first.Bar());
        Cover cover(first.Bar());
        ASSERT_TRUE(WaitFor([&] { return IsAbove(cover.Get(), first.Bar()); }));
        SetForegroundWindow(front.Get());
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == front.Get(); }));

        BarProcess second;
        ASSERT_TRUE(second.Launch());
        EXPECT_TRUE(WaitFor([&] { return BarShowsBackground(first.Bar(), COLOR_INFOTEXT); }))
            << "the running bar flashes in swapped colours";
        EXPECT_TRUE(WaitFor([&] { return IsAbove(first.Bar(), cover.Get()); }))
            << "and comes over the topmost window that covered it";
        DWORD exitCode = 99;
        EXPECT_TRUE(second.WaitForExit(&exitCode));
        EXPECT_EQ(exitCode, 0u);
        EXPECT_TRUE(WaitFor([&] { return BarShowsBackground(first.Bar(), COLOR_INFOBK); }))
            << "and is plain again";

        EXPECT_EQ(GetForegroundWindow(), front.Get()) << "the program in front keeps the keyboard";
        EXPECT_EQ(HookWindows(), 1);
        const RECT now = WindowRect(first.Bar());
        EXPECT_TRUE(EqualRect(&now, &band)) << "the band stays as it was";
        EXPECT_EQ(GetFileAttributesA(bartest::BarDataFilePath().c_str()), INVALID_FILE_ATTRIBUTES)
            << "no data file written";
        DWORD value = 0;
        EXPECT_FALSE(bartest::GetPlacementValue("top-cy", &value)) << "no placement written";

        EXPECT_TRUE(bartest::LearnBarPopup(first, front)) << WindowText(first.Bar());
        ASSERT_TRUE(first.Close());
        bartest::RemoveBarDataFiles();
        bartest::ClearPlacement();
    }
}

TEST_F(SingleBar, TwoStartsAtOnceLeaveOneBarThatLearns) {
    BarProcess a, b;
    ASSERT_TRUE(a.Launch());
    ASSERT_TRUE(b.Launch());
    ASSERT_TRUE(WaitFor([&] { return a.HasExited() || b.HasExited(); }));
    BarProcess& running = a.HasExited() ? b : a;
    BarProcess& ended = a.HasExited() ? a : b;
    DWORD exitCode = 99;
    EXPECT_TRUE(ended.WaitForExit(&exitCode));
    EXPECT_EQ(exitCode, 0u);
    ASSERT_TRUE(running.WaitForBar());
    // The hidden window comes right after the bar is shown.
    EXPECT_TRUE(WaitFor([] { return HookWindows() == 1; }));
    EXPECT_TRUE(bartest::LearnBarPopup(running, front)) << WindowText(running.Bar());
}

TEST_F(SingleBar, AStartAsTheBarClosesTakesOverWhatItLearned) {
    BarProcess first;
    ASSERT_TRUE(first.Start());
    ASSERT_TRUE(bartest::LearnBarPopup(first, front)) << WindowText(first.Bar());
    const HWND closing = first.Bar();
    PostMessageA(closing, WM_CLOSE, 0, 0);
    // Its window is gone; the program may still be saving and switching its hooks off.
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(closing); }));

    BarProcess next;
    ASSERT_TRUE(next.Start());
    EXPECT_TRUE(first.WaitForExit());
    EXPECT_TRUE(WaitFor([] { return HookWindows() == 1; }));
    ASSERT_TRUE(bartest::ActivateBar(next, front));
    EXPECT_EQ(WindowText(next.Bar()), bartest::kLearnedFromPopup);
}

}  // namespace
