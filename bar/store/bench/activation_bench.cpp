// How long an activation report of a known application with 200 commands takes, from the
// report reaching the hook window to the text reaching the bar: as the bar does it, and without
// asking which executable the window's process runs; then each way of asking on its own; then
// the first activation of an application, whose menu bar of 200 commands is learned, with the
// menu read by the bar through its handle and with the menu's items in the report, the
// library's reading of the menu included. Prints figures.
//   activation_bench [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bar/hook/hook_window.h"
#include "bar/store/identify_window.h"
#include "bar/store/win32_desktop.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/menu_calls.h"

namespace {

constexpr char kTargetClass[] = "HintrailBenchTarget";
constexpr int kCommands = 200;

double Now() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1e6 / frequency;  // microseconds
}

class TimingApp : public StoreHost {
public:
    void SetShortcutText(const std::string& text) override {
        shownAt = Now();
        length = text.size();
    }
    MenuListenerSlot* GetHookWindow() override { return hookWindow; }
    HookWindow* hookWindow = nullptr;
    double shownAt = 0;
    std::size_t length = 0;
};

// The real desktop, but the executable's name known beforehand, as if it were cached.
class NoIdentificationDesktop : public Win32Desktop {
public:
    ApplicationKey IdentifyWindow(WindowHandle window) override {
        char className[256] = {};
        GetClassNameA(static_cast<HWND>(window), className, sizeof(className));
        return {className, "activation_bench.exe"};
    }
};

// The real desktop, counting the menus the store asks it for: a report with the menu's items
// must not make the bar read the menu through its handle as well.
class MenuCountingDesktop : public Win32Desktop {
public:
    MenuHandle GetMenu(WindowHandle window) override {
        ++menusAsked;
        return Win32Desktop::GetMenu(window);
    }
    int menusAsked = 0;
};

HWND CreateTargetWithCommands() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kTargetClass;
    RegisterClassA(&wc);
    HMENU bar = CreateMenu();
    for (int p = 0; p < kCommands / 20; ++p) {
        HMENU popup = CreatePopupMenu();
        for (int i = 0; i < 20; ++i) {
            const int id = 1000 + p * 20 + i;
            const std::string text = "コマンド" + std::to_string(id) + "(&C)\tCtrl+Shift+" + std::to_string(id);
            AppendMenuA(popup, MF_STRING, id, text.c_str());
        }
        AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), ("メニュー" + std::to_string(p)).c_str());
    }
    return CreateWindowExA(0, kTargetClass, "bench", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, bar, wc.hInstance,
                           nullptr);
}

void SendActivationReport(HWND hookWindow, HWND window) {
    hr::hook::HookReport report{static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)), TRUE, 0};
    COPYDATASTRUCT data{hr::hook::kNcActivate, sizeof(report), &report};
    SendMessageA(hookWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(window), reinterpret_cast<LPARAM>(&data));
}

std::uint32_t To32(HWND window) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

// The report of the activation of a window whose menu the library could not send: the bar reads
// the menu through its handle. Returns the report's size; readyAt is when it leaves the sender.
std::uint32_t SendPlainReport(HWND hookWindow, HWND window, double& readyAt) {
    readyAt = Now();
    SendActivationReport(hookWindow, window);
    return sizeof(hr::hook::HookReport);
}

// The report as the hook library sends it for a window with a menu bar (SystemCalls::Report in
// hrdll.cpp): the record, then the menu's items read with the library's own walk.
std::uint32_t SendReportWithMenu(HWND hookWindow, HWND window, double& readyAt) {
    const hr::hook::HookReport report{To32(window), TRUE, 0};
    const HMENU menu = GetMenu(window);
    hr::hook::ReportBuffer items(menu != nullptr);
    if (!items.Bytes()) {
        std::printf("no menu bar, or no memory for its items\n");
        std::exit(1);
    }
    std::memcpy(items.Bytes(), &report, sizeof(report));
    hr::hook::MenuCalls calls;
    const std::uint32_t size =
        sizeof(report) + hr::hook::MenuWriter(calls, items.Bytes() + sizeof(report)).Write(menu);
    COPYDATASTRUCT data{hr::hook::kNcActivate, size, items.Bytes()};
    readyAt = Now();
    SendMessageA(hookWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                 reinterpret_cast<LPARAM>(&data));
    return size;
}

// Prints the figures and returns the median.
double Print(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const double median = samples[samples.size() / 2];
    const double p95 = samples[std::min(samples.size() - 1, samples.size() * 95 / 100)];
    std::printf("%-52s median %9.1f us   p95 %9.1f us   (%zu rounds)\n", what, median, p95, samples.size());
    return median;
}

template <typename Call>
double TimeCalls(const char* what, int rounds, Call call) {
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        const double start = Now();
        call();
        samples.push_back(Now() - start);
    }
    return Print(what, samples);
}

std::vector<double> TimeActivations(HookWindow& hookWindow, TimingApp& app, HWND target, int rounds) {
    std::vector<double> samples;
    for (int i = 0; i < rounds; ++i) {
        const double start = Now();
        SendActivationReport(hookWindow.GetSafeHwnd(), target);
        samples.push_back(app.shownAt - start);
    }
    return samples;
}

double BenchStore(const char* what, std::unique_ptr<Desktop> desktop, HWND target, int rounds) {
    HookWindow hookWindow;
    TimingApp app;
    app.hookWindow = &hookWindow;
    CommandStore store(app, std::move(desktop));
    hookWindow.AttachStore(&store);
    SendActivationReport(hookWindow.GetSafeHwnd(), target);  // learns the 200 commands
    if (store.m_shadows.size() != 1 || store.m_shadows[0]->m_commands.size() != kCommands) {
        std::printf("%s: the store did not learn %d commands\n", what, kCommands);
        std::exit(1);
    }
    const double median = Print(what, TimeActivations(hookWindow, app, target, rounds));
    hookWindow.DetachStore();
    return median;
}

struct FirstActivations {
    std::vector<double> total;   // from the sender's first step to SetShortcutText
    std::vector<double> sender;  // until the report left the sender
    std::uint32_t reportBytes = 0;
};

// One first activation: the record forgets its commands, so that the menu bar is learned again.
template <typename Send>
void FirstActivation(HookWindow& hookWindow, TimingApp& app, CommandStore& store, HWND target,
                     bool menuInReport, Send send, FirstActivations& into) {
    auto& commands = store.m_shadows[0]->m_commands;
    commands.clear();
    auto& desktop = static_cast<MenuCountingDesktop&>(store.GetDesktop());
    const int menusAsked = desktop.menusAsked;
    app.shownAt = 0;
    double readyAt = 0;
    const double start = Now();
    into.reportBytes = send(hookWindow.GetSafeHwnd(), target, readyAt);
    into.total.push_back(app.shownAt - start);
    into.sender.push_back(readyAt - start);
    const bool readByBar = desktop.menusAsked != menusAsked;
    if (app.shownAt == 0 || commands.size() != kCommands || readByBar == menuInReport) {
        std::printf("a first activation did not learn %d commands the way it should\n", kCommands);
        std::exit(1);
    }
}

// Both ways take turns in each round, so that whatever else the machine does falls on both.
void BenchFirstActivations(HWND target, int rounds) {
    HookWindow hookWindow;
    TimingApp app;
    app.hookWindow = &hookWindow;
    CommandStore store(app, std::make_unique<MenuCountingDesktop>());
    hookWindow.AttachStore(&store);
    SendActivationReport(hookWindow.GetSafeHwnd(), target);  // makes the application's record
    if (store.m_shadows.size() != 1) {
        std::printf("the store did not make one record\n");
        std::exit(1);
    }
    FirstActivations byBar;
    FirstActivations reported;
    for (int i = 0; i < rounds; ++i) {
        if (i % 2 == 0) {
            FirstActivation(hookWindow, app, store, target, false, SendPlainReport, byBar);
            FirstActivation(hookWindow, app, store, target, true, SendReportWithMenu, reported);
        } else {
            FirstActivation(hookWindow, app, store, target, true, SendReportWithMenu, reported);
            FirstActivation(hookWindow, app, store, target, false, SendPlainReport, byBar);
        }
    }
    hookWindow.DetachStore();

    std::vector<double> barSide;
    for (std::size_t i = 0; i < reported.total.size(); ++i) {
        barSide.push_back(reported.total[i] - reported.sender[i]);
    }
    const std::string byBarLine =
        "menu read by the bar (report of " + std::to_string(byBar.reportBytes) + " bytes)";
    const std::string reportedLine =
        "menu reported (report of " + std::to_string(reported.reportBytes) + " bytes)";
    const double byBarMedian = Print(byBarLine.c_str(), byBar.total);
    const double reportedMedian = Print(reportedLine.c_str(), reported.total);
    Print("  of it, the library reading the menu", reported.sender);
    Print("  of it, the bar (identification, decoding, scan)", barSide);
    std::printf("menu read by the bar / menu reported: %.1f times\n", byBarMedian / reportedMedian);
}

}  // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 1000;
    HWND target = CreateTargetWithCommands();
    std::printf("activation report of a known application with %d commands, to SetShortcutText:\n", kCommands);
    const double asTheBarDoes =
        BenchStore("as the bar does it", std::make_unique<Win32Desktop>(), target, rounds);
    const double withoutIdentification = BenchStore(
        "without identification", std::make_unique<NoIdentificationDesktop>(), target, rounds);
    std::printf("as the bar does it / without identification: %.1f times\n",
                asTheBarDoes / withoutIdentification);

    const DWORD self = GetCurrentProcessId();
    TimeCalls("the process asked for its executable, alone", rounds, [self] { QueriedExePath(self); });
    TimeCalls("the process snapshot, alone", rounds, [self] { ProcessExePath(self); });

    std::printf(
        "first activation of an application, its menu bar of %d commands learned, to "
        "SetShortcutText:\n",
        kCommands);
    BenchFirstActivations(target, rounds);
    DestroyWindow(target);
    return 0;
}
