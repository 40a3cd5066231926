// A top-level window that makes itself an application desktop toolbar: docked at a screen
// edge, where it reserves a band through the shell, or floating. The user drags it between the
// edges and the floating state and sizes it at its inner edge (docked) or any border (floating).
#pragma once

#include <windows.h>

#include <string>

#include "bar/appbar/dock_geometry.h"
#include "bar/framework/wnd.h"

class AppBarWnd : public fw::CWnd, private dock::AppBarShell {
    FW_DECLARE_MESSAGE_MAP()

public:
    AppBarWnd() = default;

    // Registers a window class with the system colour brush colorIndex and creates the bar;
    // WM_CREATE puts it at the seat recorded by SetSeat.
    BOOL Create(int colorIndex);
    // The name of the window class that Create registers for that colour.
    static std::string ClassNameFor(int colorIndex);
    void SetSeat(UINT seat);
    UINT GetSeat() const { return m_nSeat; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Shell notifications, dispatched by OnAppBarNotify.
    virtual void OnAppBarNotify(UINT code, LPARAM lParam);
    virtual void OnFullScreenApp(BOOL opening);
    virtual void OnPosChanged();
    virtual void OnStateChange();
    virtual void OnWindowArrange(BOOL beginning);

    LRESULT OnCreate(WPARAM, LPARAM);
    LRESULT OnDestroy(WPARAM, LPARAM);
    LRESULT OnActivate(WPARAM, LPARAM);
    LRESULT OnWindowPosChanged(WPARAM, LPARAM);
    LRESULT OnNcHitTest(WPARAM, LPARAM);
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnSizing(WPARAM, LPARAM);
    LRESULT OnLButtonDown(WPARAM, LPARAM);
    LRESULT OnMouseMove(WPARAM, LPARAM);
    LRESULT OnLButtonUp(WPARAM, LPARAM);
    LRESULT OnCaptureChanged(WPARAM, LPARAM);
    LRESULT OnDisplayChange(WPARAM, LPARAM);

    BOOL m_bDragging = FALSE;
    POINT m_ptDragOrigin{};
    BOOL m_bSizeTrackingSuspended = FALSE;
    UINT m_nSeat = dock::kFloating;
    int m_nThickness[4] = {128, 32, 128, 32};
    RECT m_rcFloat{0, 0, 256, 64};
    RECT m_rcBar{};
    BOOL m_bRegistered = FALSE;
    std::string m_strWndClassName;
    UINT m_nCallbackMessage = WM_USER;

private:
    // dock::AppBarShell
    int ScreenWidth() override;
    int ScreenHeight() override;
    dock::Rect QueryPos(unsigned edge, const dock::Rect& proposed) override;

    UINT_PTR CallShell(DWORD message, UINT edge = 0, RECT* rc = nullptr);
    void Register();
    void Unregister();
    void EnsureRegistered();
    void EnsureUnregistered();
    RECT ProposeBand(UINT edge, int thickness);
    void ApplySeat(UINT seat);
    RECT GetWindowRectForSeat() const;
    void PlaceWindow(UINT seat);
    dock::SeatHit HitTestSeat(POINT screenPoint);
    void MoveTo(const RECT& rc);
    // Ends a press or drag; the capture is released only while the bar still holds it.
    void EndDrag(bool releaseCapture = true);
    // A press or drag ends without a drop: the bar goes back to where it was.
    void CancelDrag(bool releaseCapture);
    // Moves m_rcFloat onto the nearest monitor when too little of it is on the screen.
    void KeepFloatReachable();

    UINT m_nRecordedSeat = dock::kFloating;  // the seat WM_CREATE applies
    // The left button is down on the bar, which holds the capture; m_bDragging once the
    // pointer has left the drag rectangle around m_ptPressed (screen coordinates).
    BOOL m_bPressed = FALSE;
    POINT m_ptPressed{};
    // The bar is moving its own window: the WM_SIZE this causes is not the user's sizing.
    BOOL m_bPlacing = FALSE;
};
