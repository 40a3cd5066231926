#include "bar/appbar/on_screen.h"

#include <algorithm>

namespace dock {

namespace {
int Overlap(int from, int to, int areaFrom, int areaTo) {
    return std::max(0, std::min(to, areaTo) - std::max(from, areaFrom));
}

// The start that keeps [from, from + size) inside [areaFrom, areaTo), moved as little as can be.
int Clamp(int from, int size, int areaFrom, int areaTo) {
    return std::max(areaFrom, std::min(from, areaTo - size));
}
}  // namespace

bool IsReachable(const Rect& floating, const Rect& virtualScreen) {
    const int grip = std::min(floating.Height(), floating.Width());
    return Overlap(floating.left, floating.right, virtualScreen.left, virtualScreen.right) >= grip &&
           Overlap(floating.top, floating.bottom, virtualScreen.top, virtualScreen.bottom) >= grip;
}

Rect MoveInside(const Rect& floating, const Rect& workArea) {
    const int w = floating.Width();
    const int h = floating.Height();
    const int left = Clamp(floating.left, w, workArea.left, workArea.right);
    const int top = Clamp(floating.top, h, workArea.top, workArea.bottom);
    return {left, top, left + w, top + h};
}

Rect KeepReachable(const Rect& floating, const Rect& virtualScreen, const Rect& workArea) {
    if (floating.Width() <= 0 || floating.Height() <= 0) return floating;
    return IsReachable(floating, virtualScreen) ? floating : MoveInside(floating, workArea);
}

}  // namespace dock
