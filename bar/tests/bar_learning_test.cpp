// The real Hintrail.exe learning from the desktop through the real hook library: the window in
// front is this test program's, or the bar's own. (Programs nobody here wrote, whose menus only
// the hook library can read inside them: real_programs_test.cpp.)
#include <windows.h>

#include <gtest/gtest.h>

#include "bar/archive/store_file.h"
#include "bar/datafile/disk_data_file.h"
#include "bar/store/cs_shadow.h"
#include "bar/tests/bar_process.h"
#include "hooklib/hook_protocol.h"

namespace {

using bartest::WaitFor;
using bartest::WindowText;

const std::string kMenuUnreadable =
    "現在アクティブなウィンドウのメニューを読みとれませんでした。オーナードローメニュー(アイコンの表示され"
    "るメニューなど)は読みとることが出来ません。ツールバー形状のメニューの場合、メニューが開くまで読みとる"
    "ことが出来ません。";
const std::string kLearnedPopup = bartest::kLearnedFromPopup;

class BarLearning : public ::testing::Test {
protected:
    void SetUp() override {
        bartest::ClearPlacement();
        bartest::RemoveBarDataFiles();  // each test starts with a bar that knows nothing
        ASSERT_TRUE(bar.Start());
        // The hidden window comes right after the bar is shown.
        ASSERT_TRUE(WaitFor([&] {
            hookWindow = FindWindowA(hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle);
            return hookWindow != nullptr;
        }));
    }
    void TearDown() override {
        bar.Close();
        bartest::RemoveBarDataFiles();
    }

    // What the hook library sends, sent by the test instead.
    LRESULT SendReport(UINT message, HWND window, WPARAM wParam, LPARAM lParam) {
        hr::hook::HookReport report{static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(window)),
                                    static_cast<std::uint32_t>(wParam),
                                    static_cast<std::uint32_t>(lParam)};
        COPYDATASTRUCT cds{message, sizeof(report), &report};
        return SendMessageA(hookWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
    }

    // A window of this test program, brought to the front.
    HWND ShowTestWindow() {
        HWND window = CreateWindowExA(0, bartest::PlainWindowClass("HintrailLearningTestWindow"),
                                      "test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 300, 200,
                                      nullptr, nullptr, nullptr, nullptr);
        SetForegroundWindow(window);
        return window;
    }

    // The bar in front, without a record of its own yet, then its popup opened and closed.
    void LearnTheBarsPopup() {
        bartest::FrontTaker front;
        ASSERT_TRUE(bartest::ActivateBar(bar, front));
        EXPECT_EQ(WindowText(bar.Bar()), kMenuUnreadable) << "the bar has no menu bar";
        ASSERT_TRUE(bartest::LearnBarPopup(bar, front)) << WindowText(bar.Bar());
    }

    // The records of the bar's data file, as the bar left it.
    static std::vector<std::unique_ptr<CSgShadow>> StoredRecords() {
        const std::string path = bartest::BarDataFilePath();
        DiskDataFile file([path](bool) { return path; });
        std::vector<std::unique_ptr<CSgShadow>> records;
        const fw::WideToAnsi toAnsi = [&file](std::u16string_view t) { return file.ToAnsi(t); };
        if (auto bytes = file.Read())
            fw::ReadStoreFile(fw::ByteSpan{bytes->data(), bytes->size()}, toAnsi, records);
        return records;
    }

    bartest::BarProcess bar;
    HWND hookWindow = nullptr;
};

TEST_F(BarLearning, AWindowOfAnotherProgramComingToTheFrontIsReported) {
    HWND window = ShowTestWindow();
    ASSERT_NE(window, nullptr);
    // Its menu bar cannot be read (it has none): the bar says so.
    EXPECT_TRUE(WaitFor([&] { return WindowText(bar.Bar()) == kMenuUnreadable; }))
        << WindowText(bar.Bar());
    EXPECT_TRUE(WaitFor([&] {
        return GetWindowLongA(hookWindow, hr::hook::kTrackedWindowOffset) ==
               static_cast<LONG>(reinterpret_cast<UINT_PTR>(window));
    })) << "the tracked window is the one in front";

    // A second window of the same class is the same application.
    HWND second = ShowTestWindow();
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == second; }));
    DestroyWindow(second);
    DestroyWindow(window);
    ASSERT_TRUE(bar.Close());
    int records = 0;
    for (const auto& record : StoredRecords()) {
        if (record->m_strClassName != "HintrailLearningTestWindow") continue;
        ++records;
        EXPECT_EQ(record->m_strExeName, "bar_learning_test.exe");
        EXPECT_TRUE(record->m_commands.empty());
    }
    EXPECT_EQ(records, 1) << "one record for the application, keyed by class and program";
}

TEST_F(BarLearning, TheBarsOwnPopupIsLearnedAndAChosenCommandMovesToTheFront) {
    LearnTheBarsPopup();
    // Chosen with the keyboard's shortcut (code 1): nothing moves.
    SendReport(WM_COMMAND, bar.Bar(), MAKEWPARAM(32771, 1), 0);
    EXPECT_EQ(WindowText(bar.Bar()), kLearnedPopup);
    // Chosen from the menu (code 0): to the front.
    SendReport(WM_COMMAND, bar.Bar(), MAKEWPARAM(32771, 0), 0);
    EXPECT_TRUE(WaitFor([&] { return WindowText(bar.Bar()) == "終了<Alt+F4>  ヘルプ<F1>  "; }))
        << WindowText(bar.Bar());
}

TEST_F(BarLearning, CopyDataThatIsNotAReportLeavesTheBarAsItWas) {
    LearnTheBarsPopup();
    hr::hook::HookReport report{static_cast<std::uint32_t>(reinterpret_cast<UINT_PTR>(bar.Bar())),
                                MAKEWPARAM(32771, 0), 0};
    struct Case {
        const char* name;
        COPYDATASTRUCT cds;
    } cases[] = {
        {"size 0", {WM_COMMAND, 0, &report}},
        {"size 4", {WM_COMMAND, 4, &report}},
        {"null data", {WM_COMMAND, sizeof(report), nullptr}},
        {"unknown message", {WM_CLOSE, sizeof(report), &report}},
        {"oversized", {WM_COMMAND, 4096, &report}},
    };
    for (Case& c : cases) {
        SendMessageA(hookWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&c.cds));
        EXPECT_TRUE(IsWindow(hookWindow)) << c.name;
        EXPECT_EQ(WindowText(bar.Bar()), kLearnedPopup) << c.name;
    }
    EXPECT_TRUE(bar.Close());
}

}  // namespace
