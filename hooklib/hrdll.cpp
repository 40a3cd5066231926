// HRDLL.dll: the only code of Hintrail that runs inside other programs. Built without the C
// runtime (see CMakeLists.txt): it must stay small, start nothing and import only USER32, and
// from KERNEL32 GetTickCount for the pause after a report that gave up and VirtualAlloc and
// VirtualFree for the menu items that a report carries.
#include <windows.h>

#include <cstdint>

#include "hooklib/hook_filter.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/menu_calls.h"
#include "hooklib/report_pause.h"

namespace {

using hr::hook::HandleFrom32;
using hr::hook::MenuCalls;
using hr::hook::MenuWriter;
using hr::hook::ReportBuffer;

// One copy serves every process that maps the library. Handles are kept as 32-bit values so
// that the layout is the same on both bitnesses.
#define HR_SHARED __attribute__((section(".shared"), shared))
volatile std::uint32_t sharedMessageHook HR_SHARED = 0;
volatile std::uint32_t sharedCallWndProcHook HR_SHARED = 0;
volatile std::uint32_t sharedHookWindow HR_SHARED = 0;
// Tick count at which the last report gave up, or kNoFailure: shared, so that one report that
// waited in vain pauses the reports of every thread of every process at once.
volatile std::uint32_t sharedReportFailedAt HR_SHARED = hr::hook::kNoFailure;

HINSTANCE moduleInstance;  // per process

template <class Handle>
std::uint32_t To32(Handle handle) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}
template <class Handle>
Handle From32(std::uint32_t value) {
    return reinterpret_cast<Handle>(HandleFrom32(value));
}

HWND HookWindow() { return From32<HWND>(sharedHookWindow); }

void LookUpHookWindowIfStale() {
    if (sharedHookWindow != 0 && IsWindow(HookWindow())) return;
    sharedHookWindow = To32(FindWindowA(hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle));
}

// The menu a report of this message carries: the window's menu bar, or the popup opening.
HMENU MenuToReport(HWND window, UINT message, WPARAM wParam) {
    if (message == hr::hook::kNcActivate) return GetMenu(window);
    if (message == hr::hook::kInitMenuPopup) return reinterpret_cast<HMENU>(wParam);
    return nullptr;
}

struct SystemCalls {
    static bool ReportsPaused() {
        const std::uint32_t failedAt = sharedReportFailedAt;
        if (failedAt == hr::hook::kNoFailure) return false;  // the usual case: no call at all
        if (hr::hook::ReportsPaused(failedAt, GetTickCount())) return true;
        // Over: clear the stamp, so that it cannot pause again when the tick count comes round,
        // unless a newer failure has replaced it meanwhile (the exchange is one instruction).
        __sync_bool_compare_and_swap(&sharedReportFailedAt, failedAt, hr::hook::kNoFailure);
        return false;
    }
    static bool HasParent(HWND window) { return GetParent(window) != nullptr; }
    static bool EnsureHookWindow() {
        LookUpHookWindowIfStale();
        return sharedHookWindow != 0;
    }
    static bool IsTracked(HWND window) {
        return static_cast<std::uint32_t>(GetWindowLongA(HookWindow(), hr::hook::kTrackedWindowOffset)) ==
               To32(window);
    }
    static void Report(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        // Each report has its own record: reports of several threads may be in flight at once.
        hr::hook::HookReport report{To32(window), static_cast<std::uint32_t>(wParam),
                                    static_cast<std::uint32_t>(lParam)};
        COPYDATASTRUCT data{message, sizeof(report), &report};
        // The menu's items follow the record where there is a menu and the memory for them;
        // without them the bar reads the menu through its handle, as it can on Windows.
        const HMENU menu = MenuToReport(window, message, wParam);
        ReportBuffer items(menu != nullptr);
        if (items.Bytes()) {
            hr::hook::HookReport* record = reinterpret_cast<hr::hook::HookReport*>(items.Bytes());
            *record = report;
            MenuCalls calls;
            const std::uint32_t size = MenuWriter(calls, items.Bytes() + sizeof(report)).Write(menu);
            data.cbData = sizeof(report) + size;
            data.lpData = record;
        }
        DWORD_PTR ignored = 0;
        const HWND hookWindow = HookWindow();
        // No SMTO_BLOCK: while it waits, the thread still handles the messages sent to it, as a
        // plain SendMessage would. The bar may send to the reporting window while it handles the
        // report, and so may the system (activation messages); blocked, those would wait for the
        // time-out. SMTO_ABORTIFHUNG gives up at once on a bar that the system already deems
        // hung (no look at its queue for 5 s); a suspended bar that was waiting for messages
        // never is, and there the time-out and the pause do the work. From the bar's own thread
        // this is a direct call, which never times out.
        if (SendMessageTimeoutA(hookWindow, WM_COPYDATA, reinterpret_cast<WPARAM>(window),
                                reinterpret_cast<LPARAM>(&data), SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                hr::hook::kReportTimeoutMs, &ignored)) {
            return;
        }
        // A hidden window that went away fails at once and is looked up again; only a bar that
        // did not answer in time makes every report pause.
        if (IsWindow(hookWindow)) sharedReportFailedAt = hr::hook::FailureStamp(GetTickCount());
    }
};

void Filter(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    SystemCalls system;
    hr::hook::FilterAndReport(system, window, message, wParam, lParam);
}

LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    // The remove flag (wParam) is ignored: a peeked message is seen again when it is removed.
    if (code >= 0) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lParam);
        Filter(msg.hwnd, msg.message, msg.wParam, msg.lParam);
    }
    return CallNextHookEx(From32<HHOOK>(sharedMessageHook), code, wParam, lParam);
}

LRESULT CALLBACK CallWndProcHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code >= 0) {
        const CWPSTRUCT& cwp = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        Filter(cwp.hwnd, cwp.message, cwp.wParam, cwp.lParam);
    }
    return CallNextHookEx(From32<HHOOK>(sharedCallWndProcHook), code, wParam, lParam);
}

BOOL Install() {
    sharedMessageHook = To32(SetWindowsHookExA(WH_GETMESSAGE, GetMessageHook, moduleInstance, 0));
    if (sharedCallWndProcHook == 0) {
        sharedCallWndProcHook = To32(SetWindowsHookExA(WH_CALLWNDPROC, CallWndProcHook, moduleInstance, 0));
    }
    // A hook that did install stays recorded; a later call completes only a missing message hook.
    if (sharedMessageHook == 0 || sharedCallWndProcHook == 0) return FALSE;
    LookUpHookWindowIfStale();
    return TRUE;
}

BOOL Remove() {
    if (UnhookWindowsHookEx(From32<HHOOK>(sharedMessageHook))) sharedMessageHook = 0;
    if (sharedCallWndProcHook != 0 && UnhookWindowsHookEx(From32<HHOOK>(sharedCallWndProcHook))) {
        sharedCallWndProcHook = 0;
    }
    return sharedMessageHook == 0 && sharedCallWndProcHook == 0;
}

}  // namespace

extern "C" BOOL WINAPI HintrailDLL_Setup(BOOL install) {
    // Switching on while on, or off while off, changes nothing and succeeds.
    if (install && sharedMessageHook == 0) return Install();
    if (!install && sharedMessageHook != 0) return Remove();
    return TRUE;
}

// The entry point in place of the C runtime's: the library has nothing to set up but this.
extern "C" BOOL WINAPI DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) moduleInstance = instance;
    return TRUE;
}
