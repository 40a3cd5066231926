#include "bar/shortcut_bar_wnd.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "bar/bar_app.h"
#include "bar/framework/paint_dc.h"
#include "resources/bar_resource.h"

namespace {
constexpr int kBackground = COLOR_INFOBK;
// Three flashes: swapped, plain, swapped, plain, swapped, plain, each phase this long.
constexpr UINT_PTR kFlashTimer = 1;
constexpr UINT kFlashPhaseMs = 150;
constexpr int kFlashSwaps = 5;
}  // namespace

const fw::MessageMapEntry ShortcutBarWnd::messageEntries[] = {
    fw::OnMessage(WM_PAINT, &ShortcutBarWnd::OnPaint),
    fw::OnMessage(WM_CLOSE, &ShortcutBarWnd::OnClose),
    fw::OnMessage(WM_CONTEXTMENU, &ShortcutBarWnd::OnContextMenu),
    fw::OnCommand(ID_APP_EXIT_BAR, &ShortcutBarWnd::OnExit),
    fw::OnMessage(WM_ENDSESSION, &ShortcutBarWnd::OnEndSession),
    fw::OnMessage(WM_TIMER, &ShortcutBarWnd::OnTimer),
    fw::EndOfMessageMap(),
};
const fw::MessageMap ShortcutBarWnd::messageMap = {&AppBarWnd::messageMap,
                                                   ShortcutBarWnd::messageEntries};

std::string ShortcutBarWnd::WindowClassName() { return ClassNameFor(kBackground); }

UINT ShortcutBarWnd::ShowBarMessage() {
    static const UINT message = RegisterWindowMessageA("Hintrail.ShowBar");
    return message;
}

BOOL ShortcutBarWnd::CreateBar() {
    LoadPlacement();
    return Create(kBackground);
}

void ShortcutBarWnd::SetShortcutText(const std::string& text) {
    m_strShortcutText = text;
    if (!m_bClosing && m_hWnd) InvalidateRect(m_hWnd, nullptr, TRUE);
}

void ShortcutBarWnd::SavePlacement() {
    WritePlacement();
    if (BarApp* app = BarApp::Instance()) app->SaveStore();
}

BOOL ShortcutBarWnd::PreTranslateMessage(MSG* msg) {
    if (AppBarWnd::PreTranslateMessage(msg)) return TRUE;
    if (msg->message < WM_KEYFIRST || msg->message > WM_KEYLAST) return FALSE;
    // Shared resource: loading the table again each time costs nothing and frees nothing.
    HACCEL accel = LoadAcceleratorsA(GetModuleHandleA(nullptr),
                                     MAKEINTRESOURCEA(IDR_BAR_ACCELERATORS));
    return accel && TranslateAcceleratorA(m_hWnd, accel, msg) != 0;
}

LRESULT ShortcutBarWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ShowBarMessage()) return OnShowBar();
    // The bar has no title; screen readers and automation tools read the text it shows.
    switch (message) {
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(m_strShortcutText.size());
        case WM_GETTEXT: {
            if (wParam == 0 || lParam == 0) return 0;
            size_t n = std::min(m_strShortcutText.size(), static_cast<size_t>(wParam) - 1);
            char* out = reinterpret_cast<char*>(lParam);
            std::memcpy(out, m_strShortcutText.data(), n);
            out[n] = '\0';
            return static_cast<LRESULT>(n);
        }
    }
    return AppBarWnd::WindowProc(message, wParam, lParam);
}

LRESULT ShortcutBarWnd::OnPaint(WPARAM, LPARAM) {
    fw::CPaintDC dc(m_hWnd);
    int ink = COLOR_INFOTEXT, paper = kBackground;
    if (m_bFlashInverted) std::swap(ink, paper);
    SetTextColor(dc.Get(), GetSysColor(ink));
    SetBkColor(dc.Get(), GetSysColor(paper));
    const std::string text = m_strShortcutText;
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    // The class brush has erased the background in the plain colour.
    if (m_bFlashInverted) FillRect(dc.Get(), &rc, GetSysColorBrush(paper));
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &rc, DT_WORDBREAK);
    return 0;
}

LRESULT ShortcutBarWnd::OnShowBar() {
    if (m_bClosing || !m_hWnd) return 0;
    // Topmost windows shown after the bar may cover it: come over them. The program in front
    // keeps the keyboard, and the bar keeps showing its shortcuts.
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    m_bFlashInverted = TRUE;
    m_nFlashSwapsLeft = kFlashSwaps;
    SetTimer(m_hWnd, kFlashTimer, kFlashPhaseMs, nullptr);
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return kShown;
}

LRESULT ShortcutBarWnd::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam != kFlashTimer) return Default();
    m_bFlashInverted = !m_bFlashInverted;
    if (--m_nFlashSwapsLeft <= 0) {
        KillTimer(m_hWnd, kFlashTimer);
        m_bFlashInverted = FALSE;
    }
    InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

LRESULT ShortcutBarWnd::OnClose(WPARAM, LPARAM) {
    SavePlacement();
    m_bClosing = TRUE;
    return Default();  // destroys the window, which ends the program
}

LRESULT ShortcutBarWnd::OnContextMenu(WPARAM, LPARAM lParam) {
    LRESULT result = Default();
    POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // From the keyboard (Shift+F10, the menu key) there is no point: use the client corner.
    if ((pt.x == 0 && pt.y == 0) || (pt.x < 0 && pt.y < 0)) {
        pt = {0, 0};
        ClientToScreen(m_hWnd, &pt);
    }
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_BAR_POPUP));
    if (!menu) return result;
    TrackPopupMenu(GetSubMenu(menu, 0), 0, pt.x, pt.y, 0, m_hWnd, nullptr);
    DestroyMenu(menu);
    return result;
}

LRESULT ShortcutBarWnd::OnExit(WPARAM, LPARAM) {
    PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT ShortcutBarWnd::OnEndSession(WPARAM wParam, LPARAM) {
    // FALSE: the user cancelled logging off, and the bar goes on. TRUE: Windows ends without
    // further notice, so save and close now.
    if (wParam) SendMessageA(m_hWnd, WM_CLOSE, 0, 0);
    return Default();
}
