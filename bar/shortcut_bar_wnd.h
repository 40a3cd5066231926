// The bar: a desktop toolbar that paints the shortcut text in the tooltip colours, offers help
// and exit in a popup menu, and saves its placement and the collected shortcuts on closing.
#pragma once

#include <string>

#include "bar/appbar/appbar_wnd.h"

class ShortcutBarWnd : public AppBarWnd {
    FW_DECLARE_MESSAGE_MAP()

public:
    ShortcutBarWnd() = default;
    ~ShortcutBarWnd() override = default;

    // Reads the placement, then creates the window, which docks or floats accordingly.
    BOOL CreateBar();
    // The text to show, complete; repaints unless the bar is closing.
    void SetShortcutText(const std::string& text);
    const std::string& ShortcutText() const { return m_strShortcutText; }
    // Writes the placement, then has the store write the data file.
    void SavePlacement();

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    LRESULT OnPaint(WPARAM, LPARAM);
    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnContextMenu(WPARAM, LPARAM);
    LRESULT OnExit(WPARAM, LPARAM);
    LRESULT OnEndSession(WPARAM, LPARAM);

private:
    void LoadPlacement();
    void WritePlacement();

    std::string m_strShortcutText;
    BOOL m_bClosing = FALSE;
};
