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

    // The bar's window class, by which a second start of the program finds it.
    static std::string WindowClassName();
    // The message a second start sends the bar: it comes over every other always-on-top window,
    // without taking the keyboard, and flashes. Its answer is kShown unless it is closing.
    static UINT ShowBarMessage();
    static constexpr LRESULT kShown = 1;

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
    LRESULT OnTimer(WPARAM, LPARAM);

private:
    void LoadPlacement();
    void WritePlacement();
    LRESULT OnShowBar();

    std::string m_strShortcutText;
    BOOL m_bClosing = FALSE;
    // While the bar flashes: its colours swapped, and how many swaps are still to come.
    BOOL m_bFlashInverted = FALSE;
    int m_nFlashSwapsLeft = 0;
};
