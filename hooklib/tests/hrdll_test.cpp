// The hook library as the bar program sees it, against the real hooks under Wine: the export, the
// switch rules, and the reports that arrive at a window of the hook window's class and title,
// with the menu items the library read for them.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <vector>

#include "bar/hook/report_decoding.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/hrdll.h"
#include "hooklib/tests/pump_until.h"

namespace {

using namespace hr::hook;

struct Received {
    ULONG_PTR message;
    DWORD size;
    HookReport report;
    std::vector<unsigned char> bytes;  // all of them: the record and any menu items after it
};
std::vector<Received> received;

LRESULT CALLBACK ReceiverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    const auto* bytes = static_cast<const unsigned char*>(data.lpData);
    Received r{data.dwData, data.cbData, {}, std::vector<unsigned char>(bytes, bytes + data.cbData)};
    if (data.cbData >= sizeof(HookReport)) std::memcpy(&r.report, bytes, sizeof(HookReport));
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
    HMODULE module = GetModuleHandleA(hr::hook::kHookLibraryFileName);
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

// A window with a File menu, whose own WM_INITMENUPOPUP handler adds an item to the popup that
// opens, as programs that fill their menus on demand do.
class MenuWindow {
public:
    static constexpr UINT kAddedByHandler = 999;
    MenuWindow() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "HintrailTestMenuWindow";
        RegisterClassA(&wc);
        file = CreatePopupMenu();
        AppendMenuA(file, MF_STRING, 101, "\x8A\x4A\x82\xAD(&O)...\tCtrl+O");  // 開く
        AppendMenuA(file, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(file, MF_STRING, 102, "Exit");
        HMENU bar = CreateMenu();
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
        AppendMenuA(bar, MF_STRING, 103, "&Help\tF1");
        m_window = CreateWindowExA(0, wc.lpszClassName, "menu target", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200,
                                   nullptr, bar, wc.hInstance, nullptr);
    }
    ~MenuWindow() { DestroyWindow(m_window); }  // destroys its menu bar and the File popup with it
    MenuWindow(const MenuWindow&) = delete;
    MenuWindow& operator=(const MenuWindow&) = delete;
    HWND Handle() const { return m_window; }
    HMENU file = nullptr;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITMENUPOPUP && !HIWORD(lParam)) {
            AppendMenuA(reinterpret_cast<HMENU>(wParam), MF_STRING, kAddedByHandler, "Added\tF9");
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND m_window;
};

// The items of the last report of this message, as the bar's hook window reads them.
std::optional<ReportedMenu> ItemsOfLast(ULONG_PTR message) {
    for (auto r = received.rbegin(); r != received.rend(); ++r) {
        if (r->message != message) continue;
        const auto report = DecodeReport(r->message, static_cast<std::uint32_t>(r->bytes.size()), r->bytes.data());
        if (report && report->menu) return report->menu;
        return std::nullopt;
    }
    return std::nullopt;
}

TEST_F(HookLibrary, AnActivationCarriesTheMenuBarAndAPopupItsItemsBeforeItsHandlerRuns) {
    Receiver receiver;
    MenuWindow target;
    SendMessageA(target.Handle(), WM_NCACTIVATE, TRUE, 0);
    auto menuBar = ItemsOfLast(kNcActivate);
    ASSERT_TRUE(menuBar);
    ASSERT_EQ(menuBar->size(), 2u);
    EXPECT_EQ((*menuBar)[0].id, kNoCommandId);
    ASSERT_EQ((*menuBar)[0].popup.size(), 3u);
    EXPECT_EQ((*menuBar)[0].popup[0].id, 101u);
    EXPECT_EQ((*menuBar)[0].popup[0].text, "\x8A\x4A\x82\xAD(&O)...\tCtrl+O");
    EXPECT_EQ((*menuBar)[0].popup[1].id, 0u);
    EXPECT_EQ((*menuBar)[0].popup[2].text, "Exit");
    EXPECT_EQ((*menuBar)[1].id, 103u);
    EXPECT_EQ((*menuBar)[1].text, "&Help\tF1");

    receiver.Track(target.Handle());
    SendMessageA(target.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(target.file), MAKELPARAM(0, 0));
    auto popup = ItemsOfLast(kInitMenuPopup);
    ASSERT_TRUE(popup);
    EXPECT_EQ(popup->size(), 3u) << "read before the program's handler added its item";
    EXPECT_EQ(GetMenuItemCount(target.file), 4) << "and the handler still ran";
}

TEST_F(HookLibrary, TheWindowMenuOpeningCarriesItsItems) {
    Receiver receiver;
    MenuWindow target;
    receiver.Track(target.Handle());
    HMENU windowMenu = GetSystemMenu(target.Handle(), FALSE);
    ASSERT_NE(windowMenu, nullptr);
    PostMessageA(target.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(windowMenu), MAKELPARAM(0, 1));
    ASSERT_TRUE(hr::test::PumpUntil([] { return ItemsOfLast(kInitMenuPopup).has_value(); }));
    const ReportedMenu items = *ItemsOfLast(kInitMenuPopup);
    ASSERT_EQ(items.size(), static_cast<std::size_t>(GetMenuItemCount(windowMenu)));
    for (int position = 0; position < GetMenuItemCount(windowMenu); ++position) {
        EXPECT_EQ(items[position].id, GetMenuItemID(windowMenu, position)) << position;
    }
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
