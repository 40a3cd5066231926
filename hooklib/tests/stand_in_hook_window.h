// Test helper: a window of the hook window's class and title on a thread of its own, which
// records the reports it receives and can stop answering, as a frozen bar does.
#pragma once

#include <windows.h>

#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "common/win_handles.h"

namespace hr::test {

class StandInHookWindow {
public:
    StandInHookWindow();   // returns once its thread has created the window and answers
    ~StandInHookWindow();  // thaws it, destroys the window on its thread and ends the thread
    StandInHookWindow(const StandInHookWindow&) = delete;
    StandInHookWindow& operator=(const StandInHookWindow&) = delete;

    // Returns once the thread has stopped handling messages; it blocks until Thaw.
    void Freeze();
    void Thaw();

    // Whether an activation of `window` has been reported.
    bool HasActivation(HWND window) const;

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run();

    ScopedObject m_freeze, m_frozen, m_thaw, m_stop, m_ready;
    mutable std::mutex m_mutex;
    std::vector<std::uint32_t> m_activated;  // windows, as the reports carry them
    std::thread m_thread;
};

}  // namespace hr::test
