#include "bar/appbar/appbar_wnd.h"

#include <shellapi.h>
#include <windowsx.h>

#include "bar/appbar/on_screen.h"

namespace {

dock::Rect ToDock(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToWin(const dock::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

// The shell's notification codes (wParam of the callback message).
constexpr UINT kStateChange = 0, kPosChanged = 1, kFullScreenApp = 2, kWindowArrange = 3;

}  // namespace

const fw::MessageMapEntry AppBarWnd::messageEntries[] = {
    fw::OnMessage(WM_CREATE, &AppBarWnd::OnCreate),
    fw::OnMessage(WM_DESTROY, &AppBarWnd::OnDestroy),
    fw::OnMessage(WM_ACTIVATE, &AppBarWnd::OnActivate),
    fw::OnMessage(WM_WINDOWPOSCHANGED, &AppBarWnd::OnWindowPosChanged),
    fw::OnMessage(WM_NCHITTEST, &AppBarWnd::OnNcHitTest),
    fw::OnMessage(WM_SIZE, &AppBarWnd::OnSize),
    fw::OnMessage(WM_SIZING, &AppBarWnd::OnSizing),
    fw::OnMessage(WM_LBUTTONDOWN, &AppBarWnd::OnLButtonDown),
    fw::OnMessage(WM_MOUSEMOVE, &AppBarWnd::OnMouseMove),
    fw::OnMessage(WM_LBUTTONUP, &AppBarWnd::OnLButtonUp),
    fw::OnMessage(WM_CAPTURECHANGED, &AppBarWnd::OnCaptureChanged),
    fw::OnMessage(WM_DISPLAYCHANGE, &AppBarWnd::OnDisplayChange),
    fw::EndOfMessageMap(),
};
const fw::MessageMap AppBarWnd::messageMap = {&fw::CWnd::messageMap, AppBarWnd::messageEntries};

std::string AppBarWnd::ClassNameFor(int colorIndex) {
    // One class per background colour. The name stays the same from run to run: the store keys
    // the bar's own record by it, and a name that changed would add a record every start.
    return "HintrailAppBar" + std::to_string(colorIndex);
}

BOOL AppBarWnd::Create(int colorIndex) {
    m_strWndClassName = ClassNameFor(colorIndex);
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(colorIndex);
    wc.lpszClassName = m_strWndClassName.c_str();
    if (!fw::CWnd::RegisterClass(wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return FALSE;
    constexpr DWORD kStyle = WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN | WS_THICKFRAME;
    return CreateEx(WS_EX_TOOLWINDOW, m_strWndClassName.c_str(), "", kStyle, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr);
}

void AppBarWnd::SetSeat(UINT seat) {
    m_nRecordedSeat = seat;
    if (m_hWnd) PlaceWindow(seat);
}

LRESULT AppBarWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == m_nCallbackMessage) {
        OnAppBarNotify(static_cast<UINT>(wParam), lParam);
        return 0;
    }
    return fw::CWnd::WindowProc(message, wParam, lParam);
}

void AppBarWnd::OnAppBarNotify(UINT code, LPARAM lParam) {
    switch (code) {
        case kStateChange: OnStateChange(); break;
        case kPosChanged: OnPosChanged(); break;
        case kFullScreenApp: OnFullScreenApp(static_cast<BOOL>(lParam)); break;
        case kWindowArrange: OnWindowArrange(static_cast<BOOL>(lParam)); break;
    }
}

void AppBarWnd::OnFullScreenApp(BOOL) {}
void AppBarWnd::OnPosChanged() { PlaceWindow(m_nSeat); }
void AppBarWnd::OnStateChange() {}
void AppBarWnd::OnWindowArrange(BOOL) {}

// --- The shell ------------------------------------------------------------------------------

UINT_PTR AppBarWnd::CallShell(DWORD message, UINT edge, RECT* rc) {
    APPBARDATA abd{};
    // The 36-byte layout of the 32-bit system; the structure's own size on 64-bit.
    abd.cbSize = sizeof(abd);
    abd.hWnd = m_hWnd;
    abd.uCallbackMessage = message == ABM_NEW ? m_nCallbackMessage : 0;
    abd.uEdge = edge;
    if (rc) abd.rc = *rc;
    UINT_PTR result = SHAppBarMessage(message, &abd);
    if (rc) *rc = result ? abd.rc : RECT{};
    return result;
}

void AppBarWnd::Register() { m_bRegistered = CallShell(ABM_NEW) != 0; }
void AppBarWnd::Unregister() { m_bRegistered = CallShell(ABM_REMOVE) == 0; }
void AppBarWnd::EnsureRegistered() {
    if (!m_bRegistered) Register();
}
void AppBarWnd::EnsureUnregistered() {
    if (m_bRegistered) Unregister();
}

int AppBarWnd::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
int AppBarWnd::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

dock::Rect AppBarWnd::QueryPos(unsigned edge, const dock::Rect& proposed) {
    // The shell answers only registered bars: a floating bar registers for the query alone.
    const BOOL wasRegistered = m_bRegistered;
    if (!wasRegistered) Register();
    RECT rc = ToWin(proposed);
    CallShell(ABM_QUERYPOS, edge, &rc);
    if (!wasRegistered && m_bRegistered) Unregister();
    return ToDock(rc);
}

RECT AppBarWnd::ProposeBand(UINT edge, int thickness) {
    return ToWin(dock::ProposeBand(*this, edge, thickness));
}

void AppBarWnd::ApplySeat(UINT seat) {
    if (!dock::IsDocked(seat)) {
        EnsureUnregistered();
        m_rcBar = m_rcFloat;
        m_nSeat = dock::kFloating;
        return;
    }
    EnsureRegistered();
    RECT band = ProposeBand(seat, m_nThickness[seat]);
    CallShell(ABM_SETPOS, seat, &band);
    m_rcBar = band;
    m_nSeat = seat;
}

RECT AppBarWnd::GetWindowRectForSeat() const {
    return ToWin(dock::WindowRectForSeat(m_nSeat, ToDock(m_rcBar)));
}

void AppBarWnd::PlaceWindow(UINT seat) {
    ApplySeat(seat);
    MoveTo(GetWindowRectForSeat());
}

void AppBarWnd::MoveTo(const RECT& rc) {
    // The size this gives comes from the shell's answer (a stub when it refused the band) or
    // from a drag, never from the user: WM_SIZE must not take it for a new thickness.
    const BOOL wasPlacing = m_bPlacing;
    m_bPlacing = TRUE;
    MoveWindow(m_hWnd, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, TRUE);
    m_bPlacing = wasPlacing;
}

void AppBarWnd::KeepFloatReachable() {
    const int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{x, y, x + GetSystemMetrics(SM_CXVIRTUALSCREEN), y + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    MONITORINFO monitor{sizeof(monitor)};
    if (!GetMonitorInfoA(MonitorFromRect(&m_rcFloat, MONITOR_DEFAULTTONEAREST), &monitor))
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &monitor.rcWork, 0);
    m_rcFloat = ToWin(dock::KeepReachable(ToDock(m_rcFloat), ToDock(screen), ToDock(monitor.rcWork)));
}

dock::SeatHit AppBarWnd::HitTestSeat(POINT pt) {
    return dock::HitTestSeat(*this, {pt.x, pt.y}, m_nThickness, ToDock(m_rcFloat), m_nSeat,
                             {m_ptDragOrigin.x, m_ptDragOrigin.y});
}

// --- Messages -------------------------------------------------------------------------------

LRESULT AppBarWnd::OnCreate(WPARAM, LPARAM) {
    if (Default() == -1) return -1;
    m_bDragging = FALSE;
    m_bSizeTrackingSuspended = FALSE;
    m_nSeat = dock::kFloating;  // start floating and unregistered; the recorded seat docks it
    if (!dock::IsDocked(m_nRecordedSeat)) KeepFloatReachable();
    PlaceWindow(m_nRecordedSeat);
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
    return 0;
}

LRESULT AppBarWnd::OnDestroy(WPARAM, LPARAM) {
    LRESULT result = Default();
    EnsureUnregistered();  // gives the band back to the desktop
    return result;
}

LRESULT AppBarWnd::OnActivate(WPARAM, LPARAM) {
    LRESULT result = Default();
    // Switching away during a drag puts the bar back where it was.
    CancelDrag(true);
    if (m_bRegistered) CallShell(ABM_ACTIVATE);
    return result;
}

LRESULT AppBarWnd::OnWindowPosChanged(WPARAM, LPARAM) {
    LRESULT result = Default();
    if (m_bRegistered) CallShell(ABM_WINDOWPOSCHANGED);
    return result;
}

LRESULT AppBarWnd::OnNcHitTest(WPARAM, LPARAM) {
    LRESULT hit = Default();
    if (!dock::IsDocked(m_nSeat)) return hit;
    // A docked bar sizes only at its inner edge; anywhere else a press starts a drag.
    static constexpr LRESULT kInnerBorder[4] = {HTRIGHT, HTBOTTOM, HTLEFT, HTTOP};
    return hit == kInnerBorder[m_nSeat] ? hit : HTCLIENT;
}

LRESULT AppBarWnd::OnSize(WPARAM, LPARAM) {
    LRESULT result = Default();
    if (m_bSizeTrackingSuspended || m_bPlacing) return result;
    RECT rc{};
    GetWindowRect(m_hWnd, &rc);
    // The 2 pixels are the window's overhang beyond the band.
    if (!dock::IsDocked(m_nSeat))
        m_rcFloat = rc;
    else if (dock::IsHorizontalEdge(m_nSeat))
        m_nThickness[m_nSeat] = (rc.bottom - rc.top) - 2;
    else
        m_nThickness[m_nSeat] = (rc.right - rc.left) - 2;
    PlaceWindow(m_nSeat);
    return result;
}

LRESULT AppBarWnd::OnSizing(WPARAM, LPARAM) { return Default(); }

LRESULT AppBarWnd::OnLButtonDown(WPARAM, LPARAM lParam) {
    LRESULT result = Default();
    CancelDrag(true);  // a drag whose button-up went elsewhere
    SetCapture(m_hWnd);
    m_ptDragOrigin = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    m_ptPressed = m_ptDragOrigin;
    ClientToScreen(m_hWnd, &m_ptPressed);
    m_bPressed = TRUE;
    return result;
}

LRESULT AppBarWnd::OnMouseMove(WPARAM, LPARAM lParam) {
    LRESULT result = Default();
    if (!m_bPressed) return result;
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(m_hWnd, &pt);
    if (!m_bDragging) {
        const dock::Point dragSize{GetSystemMetrics(SM_CXDRAG), GetSystemMetrics(SM_CYDRAG)};
        if (!dock::DragHasBegun({m_ptPressed.x, m_ptPressed.y}, {pt.x, pt.y}, dragSize)) return result;
        m_bDragging = TRUE;
        m_bSizeTrackingSuspended = TRUE;
    }
    MoveTo(ToWin(HitTestSeat(pt).feedback));
    return result;
}

LRESULT AppBarWnd::OnLButtonUp(WPARAM, LPARAM lParam) {
    if (!m_bPressed) return 0;
    if (!m_bDragging) {
        EndDrag();  // a plain click leaves the bar where it is
        return Default();
    }
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ClientToScreen(m_hWnd, &pt);
    dock::SeatHit hit = HitTestSeat(pt);
    PlaceWindow(hit.seat);
    if (hit.seat == dock::kFloating) {
        m_rcFloat = ToWin(hit.feedback);
        PlaceWindow(dock::kFloating);  // land where it was dropped
    }
    EndDrag();
    return Default();
}

LRESULT AppBarWnd::OnCaptureChanged(WPARAM, LPARAM) {
    LRESULT result = Default();
    // A popup menu or another window took the mouse: later moves must not move the bar.
    // The capture is someone else's now, so it is not released.
    CancelDrag(false);
    return result;
}

LRESULT AppBarWnd::OnDisplayChange(WPARAM, LPARAM) {
    LRESULT result = Default();
    if (m_bPressed || dock::IsDocked(m_nSeat)) return result;
    KeepFloatReachable();
    PlaceWindow(dock::kFloating);
    return result;
}

void AppBarWnd::EndDrag(bool releaseCapture) {
    // Cleared first: releasing the capture sends WM_CAPTURECHANGED, which then finds no drag.
    m_bPressed = FALSE;
    m_bDragging = FALSE;
    m_bSizeTrackingSuspended = FALSE;
    if (releaseCapture && GetCapture() == m_hWnd) ReleaseCapture();
}

void AppBarWnd::CancelDrag(bool releaseCapture) {
    if (!m_bPressed) return;
    const BOOL moved = m_bDragging;
    EndDrag(releaseCapture);
    if (moved) PlaceWindow(m_nSeat);
}
