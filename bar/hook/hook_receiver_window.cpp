#include "bar/hook/hook_receiver_window.h"

#include <cstdint>

#include "bar/hook/hook_window.h"
#include "bar/hook/report_decoding.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/hrdll.h"

namespace {
constexpr int kTrackedWindowBytes = 4;  // the one slot of this class, at offset 4
}

HWND HookReceiverWindow::TrackedWindow() const {
    const auto value = static_cast<std::uint32_t>(GetWindowLongA(Handle(), hr::hook::kTrackedWindowOffset));
    return reinterpret_cast<HWND>(hr::hook::HandleFrom32(value));
}

void HookReceiverWindow::SetTrackedWindow(HWND window) {
    // 32 bits on both bitnesses: the library compares GetWindowLongA with the window's low half.
    SetWindowLongA(Handle(), hr::hook::kTrackedWindowOffset,
                   static_cast<LONG>(reinterpret_cast<std::uintptr_t>(window)));
}

void HookReceiverWindow::GetCreateParams(LPCSTR& className, LPCSTR& windowName, DWORD&, DWORD&, int& x, int& y,
                                         int& width, int& height, HWND&, HMENU&, HINSTANCE& instance) {
    RegisterWindowClass(hr::hook::kHookWindowClass, instance, CS_DBLCLKS, nullptr, nullptr, kTrackedWindowBytes, 0,
                        LoadCursorA(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1), nullptr);
    className = hr::hook::kHookWindowClass;
    windowName = hr::hook::kHookWindowTitle;
    // A top-level window (FindWindowA searches only those) of size 0 that is never shown.
    x = y = width = height = 0;
}

LRESULT HookReceiverWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        HintrailDLL_Setup(TRUE);  // a failed switch-on only means that no reports arrive
        break;
    case WM_DESTROY:
        HintrailDLL_Setup(FALSE);
        break;
    case WM_CLOSE:
        return 1;  // only its owner destroys it
    case WM_COPYDATA: {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data) return 0;
        const auto report = DecodeReport(data->dwData, data->cbData, data->lpData);
        if (!report) return 0;
        m_owner.OnReport(reinterpret_cast<HWND>(report->window), report->message, report->wParam, report->lParam,
                         report->menu ? &*report->menu : nullptr);
        return 1;
    }
    default:
        break;
    }
    return PlainWindow::HandleMessage(message, wParam, lParam);
}
