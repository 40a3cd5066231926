#include "bar/shortcut_bar_wnd.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>

#include "bar/bar_app.h"
#include "bar/framework/paint_dc.h"
#include "resources/bar_resource.h"

const fw::MessageMapEntry ShortcutBarWnd::messageEntries[] = {
    fw::OnMessage(WM_PAINT, &ShortcutBarWnd::OnPaint),
    fw::OnMessage(WM_CLOSE, &ShortcutBarWnd::OnClose),
    fw::OnMessage(WM_CONTEXTMENU, &ShortcutBarWnd::OnContextMenu),
    fw::OnCommand(ID_APP_EXIT_BAR, &ShortcutBarWnd::OnExit),
    fw::OnMessage(WM_ENDSESSION, &ShortcutBarWnd::OnEndSession),
    fw::EndOfMessageMap(),
};
const fw::MessageMap ShortcutBarWnd::messageMap = {&AppBarWnd::messageMap,
                                                   ShortcutBarWnd::messageEntries};

BOOL ShortcutBarWnd::CreateBar() {
    LoadPlacement();
    return Create(COLOR_INFOBK);
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
    SetTextColor(dc.Get(), GetSysColor(COLOR_INFOTEXT));
    SetBkColor(dc.Get(), GetSysColor(COLOR_INFOBK));
    const std::string text = m_strShortcutText;
    RECT rc{};
    GetClientRect(m_hWnd, &rc);
    DrawTextA(dc.Get(), text.c_str(), static_cast<int>(text.size()), &rc, DT_WORDBREAK);
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
