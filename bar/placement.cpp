// Where the bar was left: nine numbers in the profile's "AppBar" section, read before the window
// exists and written once, when it closes.
#include "bar/framework/app.h"
#include "bar/shortcut_bar_wnd.h"

namespace {
constexpr char kSection[] = "AppBar";
}  // namespace

void ShortcutBarWnd::LoadPlacement() {
    fw::CWinApp* app = fw::AfxGetApp();
    auto read = [app](const char* entry, int fallback) {
        return static_cast<int>(app->GetProfileInt(kSection, entry, fallback));
    };
    int seat = read("seat", dock::kTop);
    if (seat < 0 || seat > 4) seat = dock::kBottom;
    SetSeat(static_cast<UINT>(seat));
    m_rcFloat.left = read("floating-left", m_rcFloat.left);
    m_rcFloat.right = read("floating-right", m_rcFloat.right);
    m_rcFloat.top = read("floating-top", m_rcFloat.top);
    m_rcFloat.bottom = read("floating-bottom", m_rcFloat.bottom);
    m_nThickness[dock::kLeft] = read("left-cx", m_nThickness[dock::kLeft]);
    m_nThickness[dock::kRight] = read("right-cx", m_nThickness[dock::kRight]);
    m_nThickness[dock::kTop] = read("top-cy", m_nThickness[dock::kTop]);
    m_nThickness[dock::kBottom] = read("bottom-cy", m_nThickness[dock::kBottom]);
}

void ShortcutBarWnd::WritePlacement() {
    fw::CWinApp* app = fw::AfxGetApp();
    auto write = [app](const char* entry, int value) {
        app->WriteProfileInt(kSection, entry, value);
    };
    write("seat", static_cast<int>(GetSeat()));
    write("floating-left", m_rcFloat.left);
    write("floating-right", m_rcFloat.right);
    write("floating-top", m_rcFloat.top);
    write("floating-bottom", m_rcFloat.bottom);
    write("left-cx", m_nThickness[dock::kLeft]);
    write("right-cx", m_nThickness[dock::kRight]);
    write("top-cy", m_nThickness[dock::kTop]);
    write("bottom-cy", m_nThickness[dock::kBottom]);
}
