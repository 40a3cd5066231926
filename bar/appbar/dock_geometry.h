// Where a desktop toolbar goes: the band it asks the shell for at an edge, the window rectangle
// around a granted band, and which seat a dragged bar would take under the cursor.
// Plain arithmetic over what the shell answers, so it is tested without a shell.
#pragma once

namespace dock {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
};

struct Point {
    int x = 0, y = 0;
};

// The edges equal the shell's ABE_ values and are passed to it unchanged.
enum Seat : unsigned { kLeft = 0, kTop = 1, kRight = 2, kBottom = 3, kFloating = 4 };

inline bool IsDocked(unsigned seat) { return seat < kFloating; }
inline bool IsHorizontalEdge(unsigned seat) { return seat == kTop || seat == kBottom; }

// What the geometry asks of the shell.
class AppBarShell {
public:
    virtual ~AppBarShell() = default;
    virtual int ScreenWidth() = 0;
    virtual int ScreenHeight() = 0;
    // ABM_QUERYPOS: the proposed band moved clear of the taskbar and other bars; the empty
    // rectangle when the shell refuses.
    virtual Rect QueryPos(unsigned edge, const Rect& proposed) = 0;
};

// The band of the given thickness at an edge, as the shell would place it.
Rect ProposeBand(AppBarShell& shell, unsigned edge, int thickness);

// The window around the seat's rectangle: a docked window overhangs its screen edge and both
// neighbouring sides by 2 pixels while its inner edge lies on the band's inner edge.
Rect WindowRectForSeat(unsigned seat, const Rect& bar);

// A press becomes a drag only once the pointer has left the system's drag rectangle: more than
// dragSize.x pixels to either side of the press point, or more than dragSize.y above or below
// it (SM_CXDRAG, SM_CYDRAG). A press and release inside it is a plain click.
bool DragHasBegun(Point pressed, Point now, Point dragSize);

struct SeatHit {
    unsigned seat;
    Rect feedback;  // where the window shows during the drag
};

// The seat under the cursor (screen coordinates) during a drag. The horizontal edges are
// tested first, so they win in the corners.
SeatHit HitTestSeat(AppBarShell& shell, Point cursor, const int (&thickness)[4],
                    const Rect& floatRect, unsigned currentSeat, Point dragOrigin);

}  // namespace dock
