// HRDLL.dll as the bar program sees it, against the real hooks under Wine: the export, the
// switch rules, and the reports that arrive at a window of the hook window's class and title.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "hooklib/hook_protocol.h"
#include "hooklib/hrdll.h"
#include "hooklib/tests/pump_until.h"

namespace {

using namespace hr::hook;

struct Received {
    ULONG_PTR message;
    DWORD size;
    HookReport report;
};
std::vector<Received> received;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    Received r{data.dwData, data.cbData, {}};
    if (data.cbData == sizeof(HookReport)) r.report = *static_cast<const HookReport*>(data.lpData);
    received.push_back(r);
    return 1;
}

// A stand-in for the bar's hidden window: same class, title and extra bytes.
class Receiver {
public:
    Receiver() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ReceiverProc;
        wc.cbWndExtra = 8;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kHookWindowClass;
        RegisterClassA(&wc);
        m_window = CreateWindowExA(0, kHookWindowClass, kHookWindowTitle, 0, 0, 0, 0, 0, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    }
    ~Receiver() { DestroyWindow(m_window); }
    Receiver(const Receiver&) = delete;
    Receiver& operator=(const Receiver&) = delete;
    HWND Handle() const { return m_window; }
    void Track(HWND window) { SetWindowLongA(m_window, kTrackedWindowOffset, static_cast<LONG>(reinterpret_cast<LONG_PTR>(window))); }

private:
    HWND m_window;
};

class Target {
public:
    explicit Target(HWND parent = nullptr) {
        m_window = CreateWindowExA(0, "STATIC", "target", parent ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW,
                                   10, 10, 200, 100, parent, nullptr, nullptr, nullptr);
    }
    ~Target() { DestroyWindow(m_window); }
    Target(const Target&) = delete;
    Target& operator=(const Target&) = delete;
    HWND Handle() const { return m_window; }
    void Activate() {
        ShowWindow(m_window, SW_SHOW);
        SetForegroundWindow(m_window);
        SetActiveWindow(m_window);
    }

private:
    HWND m_window;
};

// Hooks on for one test, off after it.
class HookLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        received.clear();
        ASSERT_TRUE(HintrailDLL_Setup(TRUE));
    }
    void TearDown() override { EXPECT_TRUE(HintrailDLL_Setup(FALSE)); }

    static bool HasReport(ULONG_PTR message, HWND window) {
        for (const Received& r : received) {
            if (r.message == message && HandleFrom32(r.report.window) == reinterpret_cast<std::uintptr_t>(window)) {
                return true;
            }
        }
        return false;
    }
    static void Drain() { hr::test::PumpUntil([] { return false; }, 300); }
};

TEST(HookLibraryExport, IsNamedWithItsStdcallDecorationOnEveryBuild) {
    HMODULE module = GetModuleHandleA("HRDLL.dll");
    ASSERT_NE(module, nullptr);
    EXPECT_NE(GetProcAddress(module, "_HintrailDLL_Setup@4"), nullptr);
    EXPECT_EQ(GetProcAddress(module, "HintrailDLL_Setup"), nullptr);
}

TEST_F(HookLibrary, ReportsActivationOfAParentlessWindowAsTwelveBytes) {
    Receiver receiver;
    Target target;
    target.Activate();
    ASSERT_TRUE(hr::test::PumpUntil([&] { return HasReport(kNcActivate, target.Handle()); }));
    for (const Received& r : received) {
        EXPECT_EQ(r.size, sizeof(HookReport));
        if (r.message == kNcActivate) {
            EXPECT_NE(r.report.wParam, 0u) << "deactivation is never reported";
        }
    }
}

TEST_F(HookLibrary, ReportsTitleMenuAndCommandOfTheTrackedWindowOnly) {
    Receiver receiver;
    Target tracked, other;
    receiver.Track(tracked.Handle());
    for (HWND window : {tracked.Handle(), other.Handle()}) {
        SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("new title"));
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(101, 0), 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(102, 1), 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(103, 2), 0);  // control notification
        PostMessageA(window, WM_INITMENUPOPUP, 0x1234, MAKELPARAM(3, 1));
    }
    ASSERT_TRUE(hr::test::PumpUntil([&] { return HasReport(kInitMenuPopup, tracked.Handle()); }));
    Drain();
    std::vector<std::pair<ULONG_PTR, std::uint32_t>> seen;  // message, wParam
    for (const Received& r : received) {
        if (r.message == kNcActivate) continue;
        EXPECT_EQ(HandleFrom32(r.report.window), reinterpret_cast<std::uintptr_t>(tracked.Handle()));
        seen.emplace_back(r.message, r.report.wParam);
    }
    const std::vector<std::pair<ULONG_PTR, std::uint32_t>> expected{
        {kSetText, 0}, {kCommand, MAKEWPARAM(101, 0)}, {kCommand, MAKEWPARAM(102, 1)}, {kInitMenuPopup, 0x1234}};
    EXPECT_EQ(seen, expected);
    for (const Received& r : received) {
        if (r.message == kInitMenuPopup) {
            EXPECT_EQ(r.report.lParam, static_cast<std::uint32_t>(MAKELPARAM(3, 1)));
        }
    }
}

TEST_F(HookLibrary, ReportsNothingForAChildWindow) {
    Receiver receiver;
    Target parent;
    Target child(parent.Handle());
    SendMessageA(child.Handle(), WM_NCACTIVATE, TRUE, 0);
    SendMessageA(parent.Handle(), WM_NCACTIVATE, FALSE, 0);
    Drain();
    EXPECT_FALSE(HasReport(kNcActivate, child.Handle()));
    EXPECT_FALSE(HasReport(kNcActivate, parent.Handle()));
}

TEST_F(HookLibrary, FindsARecreatedHookWindowWithoutSwitchingOffAndOn) {
    Target target;
    { Receiver first; }
    Receiver second;
    SendMessageA(target.Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(HasReport(kNcActivate, target.Handle()));
}

TEST(HookLibrarySwitch, OnTwiceInstallsNothingNewAndOffTwiceSucceeds) {
    received.clear();
    Receiver receiver;
    Target target;
    ASSERT_TRUE(HintrailDLL_Setup(TRUE));
    EXPECT_TRUE(HintrailDLL_Setup(TRUE));
    // One switch-off removes everything: a second pair of hooks would still report.
    EXPECT_TRUE(HintrailDLL_Setup(FALSE));
    EXPECT_TRUE(HintrailDLL_Setup(FALSE));
    SendMessageA(target.Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(received.empty());
    // And on again reports again.
    ASSERT_TRUE(HintrailDLL_Setup(TRUE));
    SendMessageA(target.Handle(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_EQ(received.size(), 1u);
    EXPECT_TRUE(HintrailDLL_Setup(FALSE));
}

}  // namespace
