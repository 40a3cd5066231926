// From an application's activation to the bar's text, in-process under Wine: the real hook
// library reports to a real HookWindow, which hands the report to a CommandStore on the real
// desktop, wired the way the bar program wires them. The same program, started again with a
// helper argument, plays a second application process or a hostile sender.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bar/hook/hook_window.h"
#include "bar/store/tests/fake_desktop.h"
#include "bar/store/tests/win32_menus.h"
#include "bar/store/win32_desktop.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/tests/pump_until.h"

namespace {

using hr::test::PumpUntil;

constexpr char kTargetClass[] = "HintrailEndToEndTarget";
constexpr char kHelperTitle[] = "second process";
constexpr UINT kEndMenu = WM_APP + 1;

LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kEndMenu:
        EndMenu();
        return 0;
    case WM_DESTROY:
        if (GetPropA(window, "quit-on-destroy")) PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND CreateTarget(const char* title, HMENU menuBar) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.lpszClassName = kTargetClass;
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, kTargetClass, title, WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr, menuBar,
                                  wc.hInstance, nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    return window;
}

// Wired the way BarApp wires them, with an application that records the bar's texts.
class EndToEnd : public ::testing::Test {
protected:
    EndToEnd() {
        app.hookWindow = &hookWindow;
        store = CreateCommandStore(app);
        // Without the user's data file, which earlier tests and runs fill: each test starts empty.
        store->SetDataFile(nullptr);
        store->Load();
        hookWindow.AttachStore(store.get());
    }
    ~EndToEnd() override {
        hookWindow.DetachStore();
        store.reset();
        if (target) DestroyWindow(target);
    }

    // A window of our class whose menu bar has shortcuts; activated, it shows them.
    void ActivateTarget() {
        HMENU bar = CreateMenu();
        HMENU file = hr::test::AddPopup(bar, "ファイル(&F)");
        hr::test::AddCommand(file, 101, "新規(&N)\tCtrl+N");
        hr::test::AddCommand(file, 102, "開く(&O)...\tCtrl+O");
        hr::test::AddSeparator(file);
        hr::test::AddCommand(file, 103, "表示(&V)\tF5");
        hr::test::AddCommand(file, 104, "終了(&X)");
        target = CreateTarget("first process", bar);
        ASSERT_TRUE(PumpUntil([&] { return Shown() == kTargetText; })) << Shown();
        ASSERT_EQ(hookWindow.TrackedWindow(), target);
    }

    std::string Shown() const { return app.texts.empty() ? std::string() : app.texts.back(); }
    std::size_t RecordsOf(const char* className) const {
        std::size_t n = 0;
        for (const auto& record : store->m_shadows) n += record->m_strClassName == className;
        return n;
    }

    static constexpr const char* kTargetText = "新規<Ctrl+N>  開く...<Ctrl+O>  表示<F5>  ";

    HookWindow hookWindow;
    fake::App app;
    std::unique_ptr<CommandStore> store;
    HWND target = nullptr;
};

TEST_F(EndToEnd, ActivationShowsTheShortcutsOfTheMenuBar) {
    ActivateTarget();
    ASSERT_EQ(RecordsOf(kTargetClass), 1u);
    const CSgShadow* record = nullptr;
    for (const auto& r : store->m_shadows) {
        if (r->m_strClassName == kTargetClass) record = r.get();
    }
    EXPECT_EQ(record->m_strExeName, "store_end_to_end_test.exe");
    EXPECT_EQ(record->m_bMenuRead, 1);
}

TEST_F(EndToEnd, AnOpenedPopupIsLearnedAndAChosenCommandMovesToTheFront) {
    ActivateTarget();
    // A real popup of the tracked window: TrackPopupMenu sends it WM_INITMENUPOPUP.
    hr::test::ScopedMenu popup(CreatePopupMenu());
    hr::test::AddCommand(popup.get(), 201, "切り取り(&T)\tCtrl+X");
    PostMessageA(target, kEndMenu, 0, 0);  // closes the menu once its loop runs
    TrackPopupMenu(popup.get(), TPM_LEFTALIGN, 150, 150, 0, target, nullptr);
    const std::string learned = std::string(kTargetText) + "切り取り<Ctrl+X>  ";
    ASSERT_TRUE(PumpUntil([&] { return Shown() == learned; })) << Shown();

    // A menu command (code 0) moves; the same through an accelerator (code 1) does not.
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(103, 0), 0);
    const std::string moved = "表示<F5>  新規<Ctrl+N>  開く...<Ctrl+O>  切り取り<Ctrl+X>  ";
    ASSERT_TRUE(PumpUntil([&] { return Shown() == moved; })) << Shown();
    const std::size_t published = app.texts.size();
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(201, 1), 0);
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(999, 0), 0);  // republishes, and shows the code-1 one is past
    ASSERT_TRUE(PumpUntil([&] { return app.texts.size() > published; }));
    EXPECT_EQ(app.texts.size(), published + 1);
    EXPECT_EQ(Shown(), moved);
}

// Runs `argument` in a second process of this program; returns its exit code, or -1.
DWORD RunHelper(const char* argument, const std::function<bool()>& whileRunning = [] { return true; }) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string commandLine = std::string("\"") + path + "\" " + argument;
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return static_cast<DWORD>(-1);
    }
    CloseHandle(process.hThread);
    const bool watched = whileRunning();
    // The helper's reports are sent to this thread: keep dispatching while it runs.
    PumpUntil([&] { return WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
    DWORD code = static_cast<DWORD>(-1);
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    return watched ? code : static_cast<DWORD>(-2);
}

TEST_F(EndToEnd, ASecondProcessOfTheSameProgramSharesTheRecord) {
    ActivateTarget();
    SendMessageA(target, WM_COMMAND, MAKEWPARAM(102, 0), 0);
    const std::string order = "開く...<Ctrl+O>  新規<Ctrl+N>  表示<F5>  ";
    ASSERT_TRUE(PumpUntil([&] { return Shown() == order; })) << Shown();
    const std::size_t records = store->m_shadows.size();

    HWND helper = nullptr;
    const DWORD code = RunHelper("--helper-target", [&] {
        // The helper's window has no menu bar: a new record would show the unreadable-menu text.
        const bool activated = PumpUntil([&] {
            helper = FindWindowA(kTargetClass, kHelperTitle);
            return helper && hookWindow.TrackedWindow() == helper && app.texts.size() > 0 && Shown() == order;
        });
        if (helper) PostMessageA(helper, WM_CLOSE, 0, 0);
        return activated;
    });
    EXPECT_EQ(code, 0u) << "the helper's window was not activated and reported";
    EXPECT_EQ(store->m_shadows.size(), records);
    EXPECT_EQ(RecordsOf(kTargetClass), 1u);
}

TEST_F(EndToEnd, CopyDataThatIsNotAReportChangesNothing) {
    ActivateTarget();
    const std::size_t published = app.texts.size();
    const DWORD handled = RunHelper("--helper-hostile");
    EXPECT_EQ(handled, 0u) << "the hook window accepted a malformed report";
    EXPECT_TRUE(IsWindow(hookWindow.GetSafeHwnd()));
    EXPECT_EQ(hookWindow.TrackedWindow(), target);
    EXPECT_EQ(app.texts.size(), published);
    EXPECT_EQ(Shown(), kTargetText);
}

// Helper: a window of the target's class, without a menu bar, until it is closed.
int RunTargetHelper() {
    HWND window = CreateTarget(kHelperTitle, nullptr);
    if (!window) return 1;
    SetPropA(window, "quit-on-destroy", reinterpret_cast<HANDLE>(1));
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

// Helper: WM_COPYDATA that is not a report; the exit code counts the ones that were accepted.
int RunHostileHelper() {
    HWND hookWindow = FindWindowA(hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle);
    if (!hookWindow) return 100;
    HWND victim = GetForegroundWindow();
    hr::hook::HookReport report{static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(victim)), 1, 0};
    char big[64] = {};
    std::memcpy(big, &report, sizeof(report));
    COPYDATASTRUCT attempts[] = {
        {hr::hook::kNcActivate, 0, nullptr},      // size 0
        {hr::hook::kNcActivate, 4, &report},      // size 4
        {hr::hook::kNcActivate, 12, nullptr},     // no data
        {hr::hook::kNcActivate, 64, big},         // too big
        {0x1234, 12, &report},                    // unknown message
        {WM_ACTIVATE, 12, &report},               // a message that is never reported
    };
    int accepted = 0;
    for (COPYDATASTRUCT& data : attempts) {
        DWORD_PTR result = 0;
        SendMessageTimeoutA(hookWindow, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_BLOCK, 10000, &result);
        accepted += result != 0;
    }
    return accepted;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--helper-target") == 0) return RunTargetHelper();
    if (argc == 2 && std::strcmp(argv[1], "--helper-hostile") == 0) return RunHostileHelper();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
