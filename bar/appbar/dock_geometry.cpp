#include "bar/appbar/dock_geometry.h"

namespace dock {

namespace {
// The band keeps its thickness from the side the shell left in place.
Rect ImposeThickness(unsigned edge, Rect rc, int thickness) {
    switch (edge) {
        case kLeft: rc.right = rc.left + thickness; break;
        case kTop: rc.bottom = rc.top + thickness; break;
        case kRight: rc.left = rc.right - thickness; break;
        case kBottom: rc.top = rc.bottom - thickness; break;
    }
    return rc;
}
}  // namespace

Rect ProposeBand(AppBarShell& shell, unsigned edge, int thickness) {
    const int cx = shell.ScreenWidth();
    const int cy = shell.ScreenHeight();
    Rect rc{0, 0, cx, cy};
    switch (edge) {
        case kLeft: rc.right = thickness; break;
        case kTop: rc.bottom = thickness; break;
        case kRight: rc.left = cx - thickness; break;
        case kBottom: rc.top = cy - thickness; break;
    }
    return ImposeThickness(edge, shell.QueryPos(edge, rc), thickness);
}

Rect WindowRectForSeat(unsigned seat, const Rect& bar) {
    if (!IsDocked(seat)) return bar;
    Rect rc{bar.left - 2, bar.top - 2, bar.right + 2, bar.bottom + 2};
    switch (seat) {
        case kLeft: rc.right -= 2; break;
        case kTop: rc.bottom -= 2; break;
        case kRight: rc.left += 2; break;
        case kBottom: rc.top += 2; break;
    }
    return rc;
}

bool DragHasBegun(Point pressed, Point now, Point dragSize) {
    const auto beyond = [](int from, int to, int size) { return to - from > size || from - to > size; };
    return beyond(pressed.x, now.x, dragSize.x) || beyond(pressed.y, now.y, dragSize.y);
}

SeatHit HitTestSeat(AppBarShell& shell, Point cursor, const int (&thickness)[4],
                    const Rect& floatRect, unsigned currentSeat, Point dragOrigin) {
    if (Rect band = ProposeBand(shell, kTop, thickness[kTop]); cursor.y < band.bottom)
        return {kTop, band};
    if (Rect band = ProposeBand(shell, kBottom, thickness[kBottom]); cursor.y >= band.top)
        return {kBottom, band};
    if (Rect band = ProposeBand(shell, kLeft, thickness[kLeft]); cursor.x < band.right)
        return {kLeft, band};
    if (Rect band = ProposeBand(shell, kRight, thickness[kRight]); cursor.x >= band.left)
        return {kRight, band};

    const int w = floatRect.Width();
    const int h = floatRect.Height();
    // A floating bar keeps the grip where the button went down; one torn off an edge is
    // centred on the cursor.
    Point offset = currentSeat == kFloating ? Point{-dragOrigin.x, -dragOrigin.y}
                                            : Point{-(w / 2), -(h / 2)};
    Rect rc{offset.x + cursor.x, offset.y + cursor.y, offset.x + cursor.x + w,
            offset.y + cursor.y + h};
    return {kFloating, rc};
}

}  // namespace dock
