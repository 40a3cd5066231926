// Test side of the real bar: starts Hintrail.exe from the test program's folder, finds its bar
// window, waits for conditions with a generous deadline, and closes it again.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>

#include "common/win_handles.h"

namespace bartest {

// Polls until the condition holds, pumping this thread's messages; false after the deadline.
bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds deadline = std::chrono::seconds(20));

std::string TestProgramFolder();

// Registers (once) a window class served by DefWindowProcA, for the test's own windows.
const char* PlainWindowClass(const char* name);

// Profile values of the bar (HKCU\Software\Orrin-Labs\Hintrail\AppBar).
void ClearPlacement();
void SetPlacementValue(const char* name, DWORD value);
bool GetPlacementValue(const char* name, DWORD* value);

RECT WindowRect(HWND hwnd);
std::string WindowText(HWND hwnd);  // through WM_GETTEXT

class BarProcess {
public:
    BarProcess() = default;
    BarProcess(const BarProcess&) = delete;
    BarProcess& operator=(const BarProcess&) = delete;
    ~BarProcess();  // ends a bar that is still running

    // Starts Hintrail.exe and waits for its bar window.
    bool Start();
    // Starts Hintrail.exe without waiting for anything.
    bool Launch();
    // Waits for the bar window of the process that Launch started.
    bool WaitForBar();
    bool HasExited() const;
    HWND Bar() const { return m_bar; }
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    // Waits for the process to end; false after the deadline.
    bool WaitForExit(DWORD* exitCode = nullptr);
    // Posts WM_CLOSE and waits for the process to end.
    bool Close();
    // A top-level window of the bar's process with this class ("#32768" menus, "#32770" boxes).
    HWND FindOwnWindow(const char* className) const;

private:
    PROCESS_INFORMATION m_pi{};
    HWND m_bar = nullptr;
};

// The bar's data file in this prefix: under the application-data folder the registry names (a
// fresh prefix names one), else beside the program.
std::string BarDataFilePath();
// Removes the bar's data files, a temporary one a save may have left and the copy of an
// unreadable one, from both places.
void RemoveBarDataFiles();

// The window the bar's hook window tracks; null while there is no hook window (a bar that has
// just started makes it after its bar window).
HWND TrackedWindow();

// A window of this test program that takes the front away from the bar. It is an owned pop-up,
// whose activation the hooks never report, so it leaves no record of its own.
class FrontTaker {
public:
    FrontTaker();
    ~FrontTaker();
    FrontTaker(const FrontTaker&) = delete;
    FrontTaker& operator=(const FrontTaker&) = delete;

    HWND Get() const { return m_hwnd; }

private:
    HWND m_owner = nullptr;
    HWND m_hwnd = nullptr;
};

// A program started by its command line (a name alone is looked for as Windows does), and its
// main window once it shows. Closed at the end, and ended if it does not close.
class RealProgram {
public:
    RealProgram(const char* commandLine, const char* windowClass);
    ~RealProgram();
    RealProgram(const RealProgram&) = delete;
    RealProgram& operator=(const RealProgram&) = delete;

    HWND Window() const { return m_window; }

    // Reached the way a user reaches it, by a switch from another window, until the bar tracks
    // it: a builtin program's first activations after its start may go unreported under Wine,
    // and a program or bar that is still starting may take the front back meanwhile.
    bool SwitchTo(const FrontTaker& other) const;

private:
    ScopedObject m_process;
    HWND m_window = nullptr;
};

// The bar's popup menu once it shows, or null after the deadline; closing it as a user does
// with Escape, true once it is gone.
HWND WaitForPopupMenu(const BarProcess& bar);
bool ClosePopupMenu(const BarProcess& bar, HWND menu);

// Makes the window the foreground window; false when it is not after the deadline.
bool BringToFront(HWND window);

// The bar is in front from its start, before its hooks are on and its store listens: its
// activation counts only from then on. The front taker takes the front away and gives it back
// until the bar shows a text; false when it never does.
bool ActivateBar(const BarProcess& bar, FrontTaker& other);
// Activates the bar, then opens its popup menu from the keyboard and closes it again; true once
// the bar shows the two commands it learned from it.
bool LearnBarPopup(const BarProcess& bar, FrontTaker& other);
extern const char kLearnedFromPopup[];

// A hidden child window of the test inside the bar. The system destroys it with the bar's
// window, from the bar's thread, which waits until the test has handled that: what the test
// sees then (the call of onGone, on the test's thread while it pumps messages) is what the bar
// did before its window went, and nothing of what it does after.
class WindowGoneProbe {
public:
    WindowGoneProbe(HWND bar, std::function<void()> onGone);
    ~WindowGoneProbe();
    WindowGoneProbe(const WindowGoneProbe&) = delete;
    WindowGoneProbe& operator=(const WindowGoneProbe&) = delete;

    bool Exists() const { return m_hwnd != nullptr; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void()> m_onGone;
    HWND m_hwnd = nullptr;
};

// An application desktop toolbar registered by the test itself, to see what the shell grants.
class TestAppBar {
public:
    TestAppBar();
    ~TestAppBar();
    TestAppBar(const TestAppBar&) = delete;
    TestAppBar& operator=(const TestAppBar&) = delete;

    // What ABM_QUERYPOS proposes for a band of this thickness at the edge.
    RECT Query(UINT edge, int thickness);

private:
    HWND m_hwnd = nullptr;
};

// A visible top-level window of any process with this class whose title starts with the prefix.
HWND FindTopWindow(const char* className, const char* titlePrefix);

// Real input, as a user gives it. A drag is a press, moves and a release; a press and a
// release at one point is a click.
void MouseDrag(POINT from, POINT to);
void MousePress(POINT at);
void MouseMoveTo(POINT from, POINT to);  // in small steps, the button as it is
void MouseRelease(POINT at);
void MouseRightClick(POINT at);
void PressKeys(std::initializer_list<WORD> keys);  // down in order, up in reverse

}  // namespace bartest
