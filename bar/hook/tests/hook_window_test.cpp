// PlainWindow's failures, and the hook window under Wine with the real hook library: how the
// library finds it, what its messages do, where reports go, and what happens when a listener
// throws.
#include "bar/hook/hook_window.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>
#include <string>
#include <vector>

#include "bar/framework/exception.h"
#include "bar/hook/plain_window.h"
#include "bar/hook/tests/message_box_closer.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/tests/pump_until.h"

namespace {

using hr::hook::HookReport;

// Records activations, and what the tracked window was while each one ran.
struct RecordingStore : ActivationListener {
    explicit RecordingStore(HookWindow& hook) : hook(hook) {}
    void OnActivate(WindowHandle window, const ReportedMenu*) override {
        activated.push_back(static_cast<HWND>(window));
        trackedMeanwhile.push_back(hook.TrackedWindow());
    }
    HookWindow& hook;
    std::vector<HWND> activated;
    std::vector<HWND> trackedMeanwhile;
};

struct RecordingShadow : MenuListener {
    void OnInitMenuPopup(MenuHandle menu, const ReportedMenu*, unsigned position, bool isWindowMenu) override {
        calls.push_back("popup " + std::to_string(reinterpret_cast<std::uintptr_t>(menu)) + " " +
                        std::to_string(position) + " " + (isWindowMenu ? "window-menu" : "menu"));
    }
    void OnCommand(std::uintptr_t wParam, unsigned code) override {
        calls.push_back("command " + std::to_string(wParam) + " " + std::to_string(code));
    }
    std::vector<std::string> calls;
};

class TopLevelWindow {
public:
    TopLevelWindow() {
        m_window = CreateWindowExA(0, "STATIC", "hook window test target", WS_OVERLAPPEDWINDOW, 20, 20, 300, 200,
                                   nullptr, nullptr, nullptr, nullptr);
    }
    ~TopLevelWindow() { DestroyWindow(m_window); }
    TopLevelWindow(const TopLevelWindow&) = delete;
    TopLevelWindow& operator=(const TopLevelWindow&) = delete;
    HWND Handle() const { return m_window; }
    void Activate() const {
        ShowWindow(m_window, SW_SHOW);
        SetForegroundWindow(m_window);
    }

private:
    HWND m_window;
};

// Sends a report as the library does, from this thread.
LRESULT SendReport(HWND hookWindow, UINT message, HWND window, std::uint32_t wParam, std::uint32_t lParam) {
    HookReport report{static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)), wParam, lParam};
    COPYDATASTRUCT data{message, sizeof(report), &report};
    return SendMessageA(hookWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&data));
}

// A PlainWindow of a class that is never registered, or of one whose handler throws.
class PlainTestWindow : public PlainWindow {
public:
    explicit PlainTestWindow(bool registered) : m_registered(registered) {}

protected:
    void GetCreateParams(LPCSTR& className, LPCSTR&, DWORD&, DWORD&, int&, int&, int&, int&, HWND&, HMENU&,
                         HINSTANCE& instance) override {
        className = m_registered ? "HintrailPlainTest" : "HintrailNeverRegistered";
        if (m_registered) {
            RegisterWindowClass(className, instance, 0, nullptr, nullptr, 0, 0, nullptr, nullptr, nullptr);
        }
    }
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_APP) throw std::runtime_error("the handler failed");
        return PlainWindow::HandleMessage(message, wParam, lParam);
    }

private:
    bool m_registered;
};

TEST(PlainWindow, ThrowsTheSystemsTextWhenCreationFails) {
    PlainTestWindow window(false);
    try {
        window.Create();
        FAIL() << "created a window of an unknown class";
    } catch (const std::runtime_error& e) {
        EXPECT_STRNE(e.what(), "");
    }
    EXPECT_EQ(window.Handle(), nullptr);
}

TEST(PlainWindow, ThrowsTheSystemsTextWhenDestructionFails) {
    PlainTestWindow window(true);
    window.Create();
    DestroyWindow(window.Handle());  // behind the object's back: it forgets the handle
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_THROW(window.Destroy(), std::runtime_error);
}

TEST(PlainWindow, ShowsAStandardExceptionOfItsHandlerCaptionedError) {
    PlainTestWindow window(true);
    window.Create();
    EXPECT_EQ(GetClassLongPtrA(window.Handle(), GCL_CBWNDEXTRA), 4) << "4 bytes more than the subclass asks";
    hr::test::MessageBoxCloser closer;
    EXPECT_EQ(SendMessageA(window.Handle(), WM_APP, 0, 0), 0);
    EXPECT_EQ(closer.Caption(), "Error");
    EXPECT_EQ(closer.Text(), "the handler failed");
    EXPECT_TRUE(IsWindow(window.Handle()));
}

TEST(HookWindow, IsAHiddenTopLevelWindowThatTheLibraryFindsByClassAndTitle) {
    HookWindow hook;
    HWND window = hook.GetSafeHwnd();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(FindWindowA(hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle), window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(GetParent(window), nullptr);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_CBWNDEXTRA), 8);
    EXPECT_EQ(GetClassLongPtrA(window, GCL_STYLE), CS_DBLCLKS);
    EXPECT_EQ(hook.TrackedWindow(), nullptr);
}

TEST(HookWindow, IsGoneWithItsObject) {
    HWND window = nullptr;
    {
        HookWindow hook;
        window = hook.GetSafeHwnd();
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(FindWindowA(hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle), nullptr);
}

// Reports that reach the hidden window, whatever serves it, counted on the way.
struct ReportCounter {
    explicit ReportCounter(HWND window) : window(window) {
        served = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
    }
    ~ReportCounter() { SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(served)); }
    ReportCounter(const ReportCounter&) = delete;
    ReportCounter& operator=(const ReportCounter&) = delete;
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_COPYDATA) ++reports;
        return CallWindowProcA(served, hwnd, message, wParam, lParam);
    }
    HWND window;
    static inline WNDPROC served = nullptr;
    static inline int reports = 0;
};

TEST(HookWindow, SwitchesTheHooksOffEvenWhenItsWindowCannotBeDestroyed) {
    auto hook = std::make_unique<HookWindow>();
    const HWND hidden = hook->GetSafeHwnd();
    TopLevelWindow target;
    {
        ReportCounter counter(hidden);
        // The library reports an activation on this thread at once, inside the sent message.
        ReportCounter::reports = 0;
        SendMessageA(target.Handle(), WM_NCACTIVATE, TRUE, 0);
        ASSERT_GT(ReportCounter::reports, 0) << "the hooks are on";
        // Only the thread that made a window can destroy it: from another one it fails.
        std::thread([&hook] { hook.reset(); }).join();
        ASSERT_TRUE(IsWindow(hidden));
        ReportCounter::reports = 0;
        SendMessageA(target.Handle(), WM_NCACTIVATE, TRUE, 0);
        EXPECT_EQ(ReportCounter::reports, 0) << "the hooks are off";
    }
    DestroyWindow(hidden);
}

TEST(HookWindow, SurvivesWmClose) {
    HookWindow hook;
    EXPECT_EQ(SendMessageA(hook.GetSafeHwnd(), WM_CLOSE, 0, 0), 1);
    EXPECT_TRUE(IsWindow(hook.GetSafeHwnd()));
}

TEST(HookWindow, TracksAnActivatedWindowBeforeTheStoreHearsOfIt) {
    HookWindow hook;
    RecordingStore store(hook);
    hook.AttachStore(&store);
    TopLevelWindow target;
    target.Activate();  // the real library reports it
    ASSERT_TRUE(hr::test::PumpUntil([&] { return !store.activated.empty() && store.activated.back() == target.Handle(); }));
    EXPECT_EQ(store.trackedMeanwhile.back(), target.Handle());
    EXPECT_EQ(hook.TrackedWindow(), target.Handle());
    hook.DetachStore();
}

TEST(HookWindow, MovesTheTrackedWindowEvenWithoutListeners) {
    HookWindow hook;
    TopLevelWindow target;
    EXPECT_EQ(SendReport(hook.GetSafeHwnd(), WM_NCACTIVATE, target.Handle(), TRUE, 0), 1);
    EXPECT_EQ(hook.TrackedWindow(), target.Handle());
    // Menu and command reports without a menu listener do nothing, and are still handled.
    EXPECT_EQ(SendReport(hook.GetSafeHwnd(), WM_INITMENUPOPUP, target.Handle(), 0x1234, 0), 1);
    EXPECT_EQ(SendReport(hook.GetSafeHwnd(), WM_COMMAND, target.Handle(), 100, 0), 1);
}

TEST(HookWindow, HandsMenuAndCommandReportsToTheMenuListenerOnly) {
    HookWindow hook;
    RecordingStore store(hook);
    RecordingShadow shadow;
    hook.AttachStore(&store);
    hook.AttachShadow(&shadow);
    TopLevelWindow target;
    HWND h = hook.GetSafeHwnd();
    SendReport(h, WM_INITMENUPOPUP, target.Handle(), 0x2345, MAKELPARAM(2, 1));
    SendReport(h, WM_INITMENUPOPUP, target.Handle(), 0x2346, MAKELPARAM(0, 0));
    SendReport(h, WM_COMMAND, target.Handle(), MAKEWPARAM(40001, 1), 0);
    SendReport(h, WM_SETTEXT, target.Handle(), 0, 0x1000);
    const std::vector<std::string> expected{"popup 9029 2 window-menu", "popup 9030 0 menu", "command 105537 1"};
    EXPECT_EQ(shadow.calls, expected);
    EXPECT_TRUE(store.activated.empty());
    hook.DetachShadow();
    SendReport(h, WM_COMMAND, target.Handle(), 40002, 0);
    EXPECT_EQ(shadow.calls.size(), expected.size());
    hook.DetachStore();
}

// A store that throws once, when a particular window is activated. Only once: the error box
// itself may reactivate that window, and a second box would sit under the first one.
template <class Exception>
struct ThrowingStore : ActivationListener {
    explicit ThrowingStore(HWND window) : window(window) {}
    void OnActivate(WindowHandle activated, const ReportedMenu*) override {
        if (activated != window || thrown) return;
        thrown = true;
        throw Exception("the store failed");
    }
    HWND window;
    bool thrown = false;
};

// Sends an activation report whose store throws; returns the caption and text of the box that
// appeared, and checks that the report still counted as handled.
template <class Exception>
std::pair<std::string, std::string> BoxShownWhenTheStoreThrows() {
    HookWindow hook;
    TopLevelWindow target;
    ThrowingStore<Exception> store(target.Handle());
    hook.AttachStore(&store);
    hr::test::MessageBoxCloser closer;
    EXPECT_EQ(SendReport(hook.GetSafeHwnd(), WM_NCACTIVATE, target.Handle(), TRUE, 0), 1);
    EXPECT_TRUE(IsWindow(hook.GetSafeHwnd()));
    hook.DetachStore();
    return {closer.Caption(), closer.Text()};
}

TEST(HookWindow, ShowsAStandardExceptionOfAListenerCaptionedError) {
    const auto [caption, text] = BoxShownWhenTheStoreThrows<std::runtime_error>();
    EXPECT_EQ(caption, "Error");
    EXPECT_EQ(text, "the store failed");
}

TEST(HookWindow, ReportsAFrameworkExceptionThroughItsOwnErrorBox) {
    // Its caption is the framework's (the application name, or the system's default here).
    EXPECT_EQ(BoxShownWhenTheStoreThrows<fw::CException>().second, "the store failed");
}

TEST(HookWindow, SwallowsAnythingElseAListenerThrows) {
    struct IntThrowingStore : ActivationListener {
        void OnActivate(WindowHandle, const ReportedMenu*) override { throw 42; }
    } store;
    HookWindow hook;
    TopLevelWindow target;
    hook.AttachStore(&store);
    EXPECT_EQ(SendReport(hook.GetSafeHwnd(), WM_NCACTIVATE, target.Handle(), TRUE, 0), 1);
    EXPECT_EQ(hook.TrackedWindow(), target.Handle());
    hook.DetachStore();
}

TEST(HookWindow, IgnoresCopyDataThatIsNotAReport) {
    HookWindow hook;
    RecordingStore store(hook);
    hook.AttachStore(&store);
    TopLevelWindow target;
    HWND h = hook.GetSafeHwnd();
    HookReport report{static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(target.Handle())), 1, 0};
    COPYDATASTRUCT wrongSize{WM_NCACTIVATE, 4, &report};
    COPYDATASTRUCT noData{WM_NCACTIVATE, sizeof(report), nullptr};
    COPYDATASTRUCT unknownMessage{WM_ACTIVATE, sizeof(report), &report};
    for (COPYDATASTRUCT* data : {&wrongSize, &noData, &unknownMessage}) {
        EXPECT_EQ(SendMessageA(h, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(data)), 0);
    }
    EXPECT_EQ(SendMessageA(h, WM_COPYDATA, 0, 0), 0);
    EXPECT_TRUE(store.activated.empty());
    EXPECT_EQ(hook.TrackedWindow(), nullptr);
    hook.DetachStore();
}

}  // namespace
