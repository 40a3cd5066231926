// How long an activation report of a known application with 200 commands takes, from the
// report reaching the hook window to the text reaching the bar: as the bar does it, and without
// asking which executable the window's process runs; then each way of asking on its own.
// Prints figures.
//   activation_bench [ROUNDS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bar/hook/hook_window.h"
#include "bar/store/identify_window.h"
#include "bar/store/win32_desktop.h"
#include "hooklib/hook_protocol.h"

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
    DestroyWindow(target);
    return 0;
}
