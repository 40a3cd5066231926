// Keeps a floating bar where the user can reach it. The bar has no caption and no taskbar
// button: a rectangle saved on a larger screen, or on a monitor since removed, would otherwise
// leave it where nothing but a registry editor brings it back.
#pragma once

#include "bar/appbar/dock_geometry.h"

namespace dock {

// True when enough of the rectangle lies on the virtual screen to be seen and grabbed: a piece
// at least as tall as the bar, and as wide as that (as wide as the bar, when it is narrower).
bool IsReachable(const Rect& floating, const Rect& virtualScreen);

// The rectangle of the same size moved the least distance that puts it inside the work area;
// when it is larger than the area, its top-left corner goes to the area's.
Rect MoveInside(const Rect& floating, const Rect& workArea);

// `floating` itself when it is reachable, else moved inside the work area (of the monitor
// nearest to it). Empty and inverted rectangles are left as they are.
Rect KeepReachable(const Rect& floating, const Rect& virtualScreen, const Rect& workArea);

}  // namespace dock
