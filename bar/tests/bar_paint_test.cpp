// The bar window in this process: what it paints for the text it is given, and what it
// answers to screen readers.
#include <windows.h>

#include <gtest/gtest.h>

#include "bar/framework/app.h"
#include "bar/shortcut_bar_wnd.h"
#include "bar/tests/bar_process.h"

namespace {

// The framework wants its application object; the bar reads no profile without a registry key.
class PaintTestApp : public fw::CWinApp {
public:
    BOOL InitInstance() override { return TRUE; }
};

class BarPainting : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(bar.CreateBar());
        ASSERT_TRUE(bartest::WaitFor([&] { return IsWindowVisible(bar.m_hWnd) != FALSE; }));
    }

    // Counts the client pixels of the first line that are not the background colour.
    int InkedPixels() {
        UpdateWindow(bar.m_hWnd);
        RECT rc{};
        GetClientRect(bar.m_hWnd, &rc);
        HDC dc = GetDC(bar.m_hWnd);
        const COLORREF background = GetSysColor(COLOR_INFOBK);
        int inked = 0;
        for (int y = 0; y < 16 && y < rc.bottom; ++y)
            for (int x = 0; x < 300 && x < rc.right; ++x)
                if (GetPixel(dc, x, y) != background) ++inked;
        ReleaseDC(bar.m_hWnd, dc);
        return inked;
    }

    PaintTestApp app;
    ShortcutBarWnd bar;
};

TEST_F(BarPainting, EmptyTextPaintsOnlyTheTooltipBackground) {
    EXPECT_TRUE(bartest::WaitFor([&] { return InkedPixels() == 0; }));
    EXPECT_EQ(bartest::WindowText(bar.m_hWnd), "");
}

TEST_F(BarPainting, TextAppearsOnceItIsSetAndScreenReadersCanReadIt) {
    const std::string text = "ヘルプ<F1>  終了<Alt+F4>  ";
    bar.SetShortcutText(text);
    EXPECT_TRUE(bartest::WaitFor([&] { return InkedPixels() > 20; }));
    EXPECT_EQ(bartest::WindowText(bar.m_hWnd), text);

    // A caller's buffer too small for the text gets as much as fits, terminated.
    char small[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_EQ(SendMessageA(bar.m_hWnd, WM_GETTEXT, sizeof(small), reinterpret_cast<LPARAM>(small)),
              4);
    EXPECT_EQ(std::string(small), text.substr(0, 4));

    bar.SetShortcutText("");
    EXPECT_TRUE(bartest::WaitFor([&] { return InkedPixels() == 0; }));
}

}  // namespace
