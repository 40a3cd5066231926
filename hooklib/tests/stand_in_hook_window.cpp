#include "hooklib/tests/stand_in_hook_window.h"

#include "hooklib/hook_protocol.h"

namespace hr::test {

namespace {
ScopedObject NewEvent() { return ScopedObject(CreateEventA(nullptr, FALSE, FALSE, nullptr)); }
}  // namespace

StandInHookWindow::StandInHookWindow()
    : m_freeze(NewEvent()), m_frozen(NewEvent()), m_thaw(NewEvent()), m_stop(NewEvent()), m_ready(NewEvent()),
      m_thread([this] { Run(); }) {
    WaitForSingleObject(m_ready.Get(), INFINITE);
}

StandInHookWindow::~StandInHookWindow() {
    SetEvent(m_stop.Get());
    Thaw();
    m_thread.join();
}

void StandInHookWindow::Freeze(Stop how) {
    m_how = how;
    if (how == Stop::Suspended) {
        SuspendThread(m_threadHandle.Get());
        return;
    }
    SetEvent(m_freeze.Get());
    WaitForSingleObject(m_frozen.Get(), INFINITE);
}

void StandInHookWindow::Thaw() {
    if (m_how == Stop::Suspended) {
        ResumeThread(m_threadHandle.Get());
    } else {
        SetEvent(m_thaw.Get());
    }
}

bool StandInHookWindow::HasActivation(HWND window) const {
    const auto wanted = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
    std::lock_guard<std::mutex> lock(m_mutex);
    for (std::uint32_t reported : m_activated) {
        if (reported == wanted) return true;
    }
    return false;
}

void StandInHookWindow::Forget() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_activated.clear();
}

LRESULT CALLBACK StandInHookWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<StandInHookWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_COPYDATA || !self) return DefWindowProcA(window, message, wParam, lParam);
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data.dwData == hook::kNcActivate && data.cbData == sizeof(hook::HookReport)) {
        std::lock_guard<std::mutex> lock(self->m_mutex);
        self->m_activated.push_back(static_cast<const hook::HookReport*>(data.lpData)->window);
    }
    return 1;
}

void StandInHookWindow::Run() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.cbWndExtra = 8;  // the tracked window at offset 4, as the bar's hidden window has it
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = hook::kHookWindowClass;
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, hook::kHookWindowClass, hook::kHookWindowTitle, 0, 0, 0, 0, 0, nullptr,
                                  nullptr, wc.hInstance, this);
    HANDLE self = nullptr;
    DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    m_threadHandle.Reset(self);
    SetEvent(m_ready.Get());
    const HANDLE wake[] = {m_stop.Get(), m_freeze.Get()};
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(2, wake, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_OBJECT_0 + 1) {
            // Frozen: no message of this thread is handled, sent ones included, until thawed.
            SetEvent(m_frozen.Get());
            WaitForSingleObject(m_thaw.Get(), INFINITE);
            continue;
        }
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DestroyWindow(window);
}

}  // namespace hr::test
