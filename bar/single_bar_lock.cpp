#include "bar/single_bar_lock.h"

#include "bar/shortcut_bar_wnd.h"

namespace {
// In the session's namespace: another user's bar, in a session of its own, is not ours to stop.
constexpr char kMutexName[] = "Local\\Orrin-Labs.Hintrail.Bar";
// How long a second start looks for the bar that holds the lock: one that is starting shows its
// window, one that is ending releases the lock, both well within this.
constexpr ULONGLONG kLookMs = 10000;
constexpr DWORD kPollMs = 50;
constexpr UINT kAnswerMs = 2000;

// Asks the bar's window, if there is one, to show itself; TRUE once it has.
BOOL ShowRunningBar() {
    const HWND bar = FindWindowA(ShortcutBarWnd::WindowClassName().c_str(), nullptr);
    DWORD_PTR answer = 0;
    // A bar that is closing, or whose window goes while we wait, does not answer kShown.
    return bar &&
           SendMessageTimeoutA(bar, ShortcutBarWnd::ShowBarMessage(), 0, 0,
                               SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerMs, &answer) &&
           answer == static_cast<DWORD_PTR>(ShortcutBarWnd::kShown);
}
}  // namespace

SingleBarLock::~SingleBarLock() {
    // Released only now, after the data file has been saved and the hooks switched off, so that
    // a bar started meanwhile takes over from a finished one.
    if (m_bOwned) ReleaseMutex(m_mutex.Get());
}

BOOL SingleBarLock::Acquire() {
    m_mutex.Reset(CreateMutexA(nullptr, TRUE, kMutexName));
    const DWORD error = GetLastError();
    if (!m_mutex) {
        // Held by a bar of another user in this session: not ours to open, but it runs.
        if (error == ERROR_ACCESS_DENIED) {
            ShowRunningBar();
            return FALSE;
        }
        return TRUE;  // no lock to be had at all: start as a bar always did
    }
    if (error != ERROR_ALREADY_EXISTS) return m_bOwned = TRUE;

    const ULONGLONG end = GetTickCount64() + kLookMs;
    do {
        if (ShowRunningBar()) return FALSE;
        // An abandoned lock is a bar that ended without releasing it: ours now all the same.
        const DWORD wait = WaitForSingleObject(m_mutex.Get(), kPollMs);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return m_bOwned = TRUE;
    } while (GetTickCount64() < end);
    return FALSE;
}
