#include "bar/tests/bar_process.h"

#include <shellapi.h>

#include <cstdio>
#include <thread>
#include <utility>
#include <vector>

#include "bar/datafile/disk_data_file.h"
#include "common/registry.h"
#include "hooklib/hook_protocol.h"

namespace bartest {

namespace {
constexpr char kPlacementKey[] = "Software\\Orrin-Labs\\Hintrail\\AppBar";

void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

POINT Absolute(POINT pt) {
    // SendInput's absolute coordinates run from 0 to 65535 across the screen.
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    return {pt.x * 65535 / (cx - 1), pt.y * 65535 / (cy - 1)};
}

void SendMouse(DWORD flags, POINT pt) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    POINT abs = Absolute(pt);
    in.mi.dx = abs.x;
    in.mi.dy = abs.y;
    in.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    SendInput(1, &in, sizeof(in));
}
}  // namespace

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    for (;;) {
        if (condition()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        PumpMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

std::string TestProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

const char* PlainWindowClass(const char* name) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = name;
    RegisterClassA(&wc);  // fails harmlessly once the class exists
    return name;
}

void ClearPlacement() { RegDeleteKeyA(HKEY_CURRENT_USER, kPlacementKey); }

void SetPlacementValue(const char* name, DWORD value) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kPlacementKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

bool GetPlacementValue(const char* name, DWORD* value) {
    DWORD size = sizeof(*value);
    return RegGetValueA(HKEY_CURRENT_USER, kPlacementKey, name, RRF_RT_REG_DWORD, nullptr, value,
                        &size) == ERROR_SUCCESS;
}

RECT WindowRect(HWND hwnd) {
    RECT rc{};
    GetWindowRect(hwnd, &rc);
    return rc;
}

std::string WindowText(HWND hwnd) {
    LRESULT n = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text(static_cast<size_t>(n) + 1);
    LRESULT got =
        SendMessageA(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data(), static_cast<size_t>(got));
}

BarProcess::~BarProcess() {
    if (!m_pi.hProcess) return;
    // Close it as a user would: a killed bar would leave its band reserved for the next test.
    if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT && !Close()) {
        TerminateProcess(m_pi.hProcess, 99);
        WaitForSingleObject(m_pi.hProcess, 10000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

bool BarProcess::Start() { return Launch() && WaitForBar(); }

bool BarProcess::Launch() {
    std::string exe = TestProgramFolder() + "Hintrail.exe";
    STARTUPINFOA si{sizeof(si)};
    std::string cmd = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &m_pi)) {
        // Seen once under Wine and never again: say why, for the next time.
        std::fprintf(stderr, "CreateProcess %s failed: error %lu\n", exe.c_str(), GetLastError());
        return false;
    }
    return true;
}

bool BarProcess::WaitForBar() {
    const bool shown = WaitFor([this] {
        m_bar = FindOwnWindow(nullptr);
        return m_bar != nullptr && IsWindowVisible(m_bar);
    });
    if (!shown) {
        DWORD exitCode = 0;
        GetExitCodeProcess(m_pi.hProcess, &exitCode);
        std::fprintf(stderr, "Hintrail.exe showed no bar (window %p, exit code %lu)\n",
                     static_cast<void*>(m_bar), exitCode);
    }
    return shown;
}

bool BarProcess::HasExited() const {
    return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, 0) == WAIT_OBJECT_0;
}

HWND BarProcess::FindOwnWindow(const char* className) const {
    struct Search {
        DWORD pid;
        const char* className;
        HWND found;
    } search{m_pi.dwProcessId, className, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD pid = 0;
            GetWindowThreadProcessId(hwnd, &pid);
            if (pid != s->pid) return TRUE;
            char name[256] = {};
            GetClassNameA(hwnd, name, sizeof(name));
            // Without a class name: the bar, whose class names begin with "HintrailAppBar".
            bool match = s->className ? lstrcmpA(name, s->className) == 0
                                      : strncmp(name, "HintrailAppBar", 14) == 0;
            if (!match) return TRUE;
            s->found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool BarProcess::WaitForExit(DWORD* exitCode) {
    bool ended = WaitFor([this] { return HasExited(); });
    if (ended && exitCode) GetExitCodeProcess(m_pi.hProcess, exitCode);
    return ended;
}

bool BarProcess::Close() {
    PostMessageA(m_bar, WM_CLOSE, 0, 0);
    return WaitForExit();
}

TestAppBar::TestAppBar() {
    m_hwnd = CreateWindowExA(WS_EX_TOOLWINDOW, PlainWindowClass("HintrailTestAppBar"), "", WS_POPUP,
                             0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    APPBARDATA abd{sizeof(abd)};
    abd.hWnd = m_hwnd;
    abd.uCallbackMessage = WM_USER + 7;
    SHAppBarMessage(ABM_NEW, &abd);
}

TestAppBar::~TestAppBar() {
    APPBARDATA abd{sizeof(abd)};
    abd.hWnd = m_hwnd;
    SHAppBarMessage(ABM_REMOVE, &abd);
    DestroyWindow(m_hwnd);
}

RECT TestAppBar::Query(UINT edge, int thickness) {
    APPBARDATA abd{sizeof(abd)};
    abd.hWnd = m_hwnd;
    abd.uEdge = edge;
    const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
    abd.rc = {0, 0, cx, cy};
    switch (edge) {
        case ABE_TOP:
            abd.rc.bottom = thickness;
            break;
        case ABE_BOTTOM:
            abd.rc.top = cy - thickness;
            break;
        case ABE_LEFT:
            abd.rc.right = thickness;
            break;
        case ABE_RIGHT:
            abd.rc.left = cx - thickness;
            break;
    }
    SHAppBarMessage(ABM_QUERYPOS, &abd);
    return abd.rc;
}

WindowGoneProbe::WindowGoneProbe(HWND bar, std::function<void()> onGone)
    : m_onGone(std::move(onGone)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "HintrailWindowGoneProbe";
    RegisterClassA(&wc);  // fails harmlessly once the class exists
    m_hwnd = CreateWindowExA(0, wc.lpszClassName, "", WS_CHILD, 0, 0, 1, 1, bar, nullptr, nullptr,
                             nullptr);
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WindowGoneProbe::~WindowGoneProbe() {
    if (!m_hwnd) return;
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
}

LRESULT CALLBACK WindowGoneProbe::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<WindowGoneProbe*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (message == WM_DESTROY && self) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->m_hwnd = nullptr;
        self->m_onGone();
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

HWND FindTopWindow(const char* className, const char* titlePrefix) {
    for (HWND hwnd = FindWindowExA(nullptr, nullptr, className, nullptr); hwnd;
         hwnd = FindWindowExA(nullptr, hwnd, className, nullptr)) {
        char title[256] = {};
        GetWindowTextA(hwnd, title, sizeof(title));
        if (IsWindowVisible(hwnd) && strncmp(title, titlePrefix, strlen(titlePrefix)) == 0)
            return hwnd;
    }
    return nullptr;
}

std::string BarDataFilePath() {
    const std::string appData = ReadRegistryText(
        HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
        "AppData");
    if (appData.empty()) return TestProgramFolder() + "Hintrail.dat";
    return appData + "\\OrrinLabs\\Hintrail\\Hintrail.dat";
}

void RemoveBarDataFiles() {
    const std::string dataFile = BarDataFilePath();
    for (const std::string& path :
         {dataFile, DiskDataFile::TemporaryPath(dataFile), DiskDataFile::UnreadablePath(dataFile),
          TestProgramFolder() + "Hintrail.dat"})
        DeleteFileA(path.c_str());
}

FrontTaker::FrontTaker() {
    const char* className = PlainWindowClass("HintrailFrontTaker");
    m_owner = CreateWindowExA(0, className, "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                              nullptr, nullptr);
    m_hwnd = CreateWindowExA(0, className, "test", WS_POPUP | WS_CAPTION | WS_VISIBLE, 200, 200,
                             300, 200, m_owner, nullptr, nullptr, nullptr);
}

FrontTaker::~FrontTaker() {
    DestroyWindow(m_hwnd);
    DestroyWindow(m_owner);
}

HWND TrackedWindow() {
    const HWND hookWindow = FindWindowA(hr::hook::kHookWindowClass, hr::hook::kHookWindowTitle);
    if (!hookWindow) return nullptr;
    return reinterpret_cast<HWND>(hr::hook::HandleFrom32(
        static_cast<std::uint32_t>(GetWindowLongA(hookWindow, hr::hook::kTrackedWindowOffset))));
}

RealProgram::RealProgram(const char* commandLine, const char* windowClass) {
    std::string line = commandLine;
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return;
    }
    CloseHandle(process.hThread);
    m_process.Reset(process.hProcess);
    WaitFor([&] {
        for (HWND w = FindWindowExA(nullptr, nullptr, windowClass, nullptr); w;
             w = FindWindowExA(nullptr, w, windowClass, nullptr)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == process.dwProcessId && IsWindowVisible(w)) m_window = w;
        }
        return m_window != nullptr;
    });
}

RealProgram::~RealProgram() {
    if (!m_process) return;
    if (m_window) PostMessageA(m_window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process.Get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(m_process.Get(), 1);
}

bool RealProgram::SwitchTo(const FrontTaker& other) const {
    const auto settles = std::chrono::seconds(2);
    const auto inFront = [settles](HWND window) {
        SetForegroundWindow(window);
        return WaitFor([window] { return GetForegroundWindow() == window; }, settles);
    };
    return WaitFor(
        [&] {
            return inFront(other.Get()) && inFront(m_window) &&
                   WaitFor([&] { return TrackedWindow() == m_window; }, settles);
        },
        std::chrono::seconds(60));
}

bool BringToFront(HWND window) {
    SetForegroundWindow(window);
    return WaitFor([&] { return GetForegroundWindow() == window; });
}

bool ActivateBar(const BarProcess& bar, FrontTaker& other) {
    return WaitFor([&] {
        return BringToFront(other.Get()) && BringToFront(bar.Bar()) &&
               WaitFor([&] { return !WindowText(bar.Bar()).empty(); }, std::chrono::seconds(1));
    });
}

const char kLearnedFromPopup[] = "ヘルプ<F1>  終了<Alt+F4>  ";

HWND WaitForPopupMenu(const BarProcess& bar) {
    HWND menu = nullptr;
    WaitFor([&] {
        menu = bar.FindOwnWindow("#32768");
        return menu && IsWindowVisible(menu);
    });
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

bool ClosePopupMenu(const BarProcess& bar, HWND menu) {
    PostMessageA(bar.Bar(), WM_CANCELMODE, 0, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    return WaitFor([&] { return !IsWindowVisible(menu); });
}

bool LearnBarPopup(const BarProcess& bar, FrontTaker& other) {
    if (!ActivateBar(bar, other)) return false;
    PostMessageA(bar.Bar(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(bar.Bar()),
                 MAKELPARAM(-1, -1));
    const HWND menu = WaitForPopupMenu(bar);
    return menu && ClosePopupMenu(bar, menu) &&
           WaitFor([&] { return WindowText(bar.Bar()) == kLearnedFromPopup; });
}

void MouseDrag(POINT from, POINT to) {
    MousePress(from);
    MouseMoveTo(from, to);
    MouseRelease(to);
}

void MousePress(POINT at) {
    SendMouse(0, at);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    SendMouse(MOUSEEVENTF_LEFTDOWN, at);
}

void MouseMoveTo(POINT from, POINT to) {
    constexpr int kSteps = 12;
    for (int i = 1; i <= kSteps; ++i) {
        // Small steps with short pauses, so the window sees the move as a user's drag.
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        SendMouse(0,
                  {from.x + (to.x - from.x) * i / kSteps, from.y + (to.y - from.y) * i / kSteps});
    }
}

void MouseRelease(POINT at) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    SendMouse(MOUSEEVENTF_LEFTUP, at);
}

void MouseRightClick(POINT at) {
    SendMouse(0, at);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    SendMouse(MOUSEEVENTF_RIGHTDOWN, at);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    SendMouse(MOUSEEVENTF_RIGHTUP, at);
}

void PressKeys(std::initializer_list<WORD> keys) {
    std::vector<INPUT> inputs;
    for (WORD k : keys) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = k;
        inputs.push_back(in);
    }
    for (auto it = keys.end(); it != keys.begin();) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = *--it;
        in.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(in);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

}  // namespace bartest
