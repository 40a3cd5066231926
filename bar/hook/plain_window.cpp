#include "bar/hook/plain_window.h"

#include <stdexcept>
#include <string>

#include "common/system_error.h"

namespace {

#ifdef _WIN64
constexpr int kObjectSlot = GWLP_USERDATA;
#else
constexpr int kObjectSlot = 0;
#endif
constexpr int kPlainExtraBytes = 4;

[[noreturn]] void ThrowLastError() { throw std::runtime_error(LastErrorText()); }

}  // namespace

PlainWindow::~PlainWindow() {
    if (!m_hWnd) return;
    // The derived part is gone already: let the remaining messages go to DefWindowProcA.
    SetWindowLongPtrA(m_hWnd, kObjectSlot, 0);
    DestroyWindow(m_hWnd);
}

void PlainWindow::Create() {
    LPCSTR className = nullptr;
    LPCSTR windowName = "";
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = CW_USEDEFAULT;
    int y = CW_USEDEFAULT;
    int width = CW_USEDEFAULT;
    int height = CW_USEDEFAULT;
    HWND parent = nullptr;
    HMENU menu = nullptr;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    GetCreateParams(className, windowName, style, exStyle, x, y, width, height, parent, menu, instance);
    if (CreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menu, instance, this)) {
        return;
    }
    m_hWnd = nullptr;
    ThrowLastError();
}

void PlainWindow::Destroy() {
    if (!DestroyWindow(m_hWnd)) ThrowLastError();
    m_hWnd = nullptr;
}

LRESULT PlainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void PlainWindow::RegisterWindowClass(LPCSTR className, HINSTANCE instance, UINT style, HICON icon,
                                      HICON smallIcon, int extraBytes, int classExtraBytes, HCURSOR cursor,
                                      HBRUSH background, LPCSTR menuName) {
    WNDCLASSEXA existing{sizeof(existing)};
    if (GetClassInfoExA(instance, className, &existing)) return;
    WNDCLASSEXA wc{sizeof(wc)};
    wc.style = style;
    wc.lpfnWndProc = StaticWindowProc;
    wc.cbClsExtra = classExtraBytes;
    wc.cbWndExtra = extraBytes + kPlainExtraBytes;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = cursor;
    wc.hbrBackground = background;
    wc.lpszMenuName = menuName;
    wc.lpszClassName = className;
    wc.hIconSm = smallIcon;
    if (!RegisterClassExA(&wc)) ThrowLastError();
}

LRESULT CALLBACK PlainWindow::StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_CREATE) {
        auto* self = static_cast<PlainWindow*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hWnd = window;
        SetWindowLongPtrA(window, kObjectSlot, reinterpret_cast<LONG_PTR>(self));
    }
    // Messages before WM_CREATE (WM_NCCREATE and the like) find no object yet.
    auto* self = reinterpret_cast<PlainWindow*>(GetWindowLongPtrA(window, kObjectSlot));
    if (!self || !self->m_hWnd) return DefWindowProcA(window, message, wParam, lParam);
    return self->WindowProc(message, wParam, lParam);
}

LRESULT PlainWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const HWND window = m_hWnd;
    LRESULT result = 0;
    try {
        result = HandleMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        MessageBoxA(window, e.what(), "Error", MB_ICONERROR);
        result = DefWindowProcA(window, message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into the system's dispatch.
        result = DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_DESTROY) {
        SetWindowLongPtrA(window, kObjectSlot, 0);
        m_hWnd = nullptr;
    }
    return result;
}
