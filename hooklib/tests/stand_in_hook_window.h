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

    // How the thread stops handling messages, sent ones included.
    enum class Stop {
        Busy,       // waits outside its queue, as in a long computation: the system deems it hung
                    // after five seconds, and SMTO_ABORTIFHUNG then gives up at once
        Suspended,  // suspended where it stands, as a debugger would; caught waiting for messages,
                    // as it nearly always is, it is never deemed hung. Ask nothing of it until Thaw.
    };
    // Returns once the thread has stopped handling messages; it stays so until Thaw.
    void Freeze(Stop how = Stop::Busy);
    void Thaw();

    // Whether an activation of `window` has been reported since the last Forget.
    bool HasActivation(HWND window) const;
    void Forget();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Run();

    ScopedObject m_freeze, m_frozen, m_thaw, m_stop, m_ready;
    ScopedObject m_threadHandle;  // for SuspendThread
    Stop m_how = Stop::Busy;      // written before m_freeze is set
    mutable std::mutex m_mutex;
    std::vector<std::uint32_t> m_activated;  // windows, as the reports carry them
    std::thread m_thread;
};

}  // namespace hr::test
