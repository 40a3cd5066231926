// The second program of the hook library's tests and benchmarks (see activation_target.h):
//   activation_target TITLE
// makes kActivationTargetWindows top-level windows, hidden until they are first activated, and a
// hidden control window titled TITLE, which shows and activates them on request, until it is
// closed. No window is active before the first request, so every report follows a request.
#include <windows.h>

#include "hooklib/tests/activation_target.h"

namespace {

using namespace hr::test;

HWND targets[kActivationTargetWindows];

LRESULT ActivateTimed(HWND window) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    QueryPerformanceCounter(&end);
    return static_cast<LRESULT>((end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart);
}

LRESULT CALLBACK ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool known = wParam < kActivationTargetWindows;
    switch (message) {
    case kActivateWindow:
        return known ? ActivateTimed(targets[wParam]) : -1;
    case kWindowHandle:
        return known ? reinterpret_cast<LRESULT>(targets[wParam]) : 0;
    case WM_CLOSE:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA control{};
    control.lpfnWndProc = ControlProc;
    control.hInstance = instance;
    control.lpszClassName = kActivationTargetClass;
    WNDCLASSA target{};
    target.lpfnWndProc = DefWindowProcA;
    target.hInstance = instance;
    target.lpszClassName = "HintrailTestActivationTargetWindow";
    if (!RegisterClassA(&control) || !RegisterClassA(&target)) return 1;
    for (int i = 0; i < kActivationTargetWindows; ++i) {
        targets[i] = CreateWindowExA(0, target.lpszClassName, "target", WS_OVERLAPPEDWINDOW, 40 + 30 * i,
                                     40 + 30 * i, 300, 200, nullptr, nullptr, instance, nullptr);
        if (!targets[i]) return 1;
    }
    // Created last: once the driver finds it, every window is there.
    if (!CreateWindowExA(0, kActivationTargetClass, argv[1], 0, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr)) {
        return 1;
    }
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}
