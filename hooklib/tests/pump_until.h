// Test helper: dispatch this thread's messages until a condition holds or a generous deadline
// passes. Reports of the hook library arrive as sent messages, so a test must keep pumping.
#pragma once

#include <windows.h>

namespace hr::test {

template <class Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs = 15000) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (condition()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now < 50 ? deadline - now : 50),
                                  QS_ALLINPUT);
    }
}

}  // namespace hr::test
