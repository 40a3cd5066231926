// Test helper: a second program (activation_target.exe, beside the test program) whose windows
// are activated on request, so that the hook library reports from another process than the one
// that receives the reports. It times each activation itself.
#pragma once

#include <windows.h>

#include "common/win_handles.h"

namespace hr::test {

// What the driver and the second program agree on.
inline constexpr char kActivationTargetClass[] = "HintrailTestActivationTarget";
inline constexpr UINT kActivateWindow = WM_APP + 1;  // wParam index; returns the microseconds it took
inline constexpr UINT kWindowHandle = WM_APP + 2;    // wParam index; returns the window
inline constexpr int kActivationTargetWindows = 6;

class ActivationTarget {
public:
    ActivationTarget();   // starts the program and waits for its windows
    ~ActivationTarget();  // closes it, or ends it when it does not close
    ActivationTarget(const ActivationTarget&) = delete;
    ActivationTarget& operator=(const ActivationTarget&) = delete;

    bool Started() const { return m_control != nullptr; }
    HWND Window(int index) const;
    // Shows and activates one of its top-level windows; how long that took in the second program, in
    // milliseconds, or a negative value when it did not answer.
    double Activate(int index) const;

private:
    ScopedObject m_process;
    HWND m_control = nullptr;
};

}  // namespace hr::test
