#include "bar/appbar/on_screen.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dock {
std::ostream& operator<<(std::ostream& os, const Rect& r);  // dock_geometry_test.cpp
}  // namespace dock

namespace {

using dock::Rect;

// Two monitors side by side, the second one smaller and set off downwards: the virtual screen
// is their bounding box. The work areas leave out a taskbar at the bottom of each.
const Rect kVirtualScreen{0, 0, 1024 + 800, 768};
const Rect kMainWork{0, 0, 1024, 738};

TEST(KeepReachable, LeavesABarThatCanBeGrabbedWhereItIs) {
    const Rect cases[] = {
        {100, 100, 356, 164},    // well inside
        {-192, 100, 64, 164},    // 64 wide still on the screen: as tall as the bar
        {1760, 704, 2016, 768},  // the bottom-right corner of the second monitor
        {500, -600, 564, 64},    // a tall bar whose lowest 64 rows are on the screen
    };
    for (const Rect& rc : cases) EXPECT_EQ(dock::KeepReachable(rc, kVirtualScreen, kMainWork), rc) << rc;
}

TEST(KeepReachable, MovesAnUnreachableBarTheLeastIntoTheWorkArea) {
    const struct {
        Rect floating;
        Rect workArea;
        Rect expected;
    } cases[] = {
        // Saved on a larger screen: far to the right and below.
        {{3000, 2000, 3256, 2064}, kMainWork, {768, 674, 1024, 738}},
        // Only 63 of its 64 rows above the screen's top edge: no piece as tall as the bar shows.
        {{100, -63, 356, 1}, kMainWork, {100, 0, 356, 64}},
        // Sticking out to the left by all but 10 pixels.
        {{-246, 300, 10, 364}, kMainWork, {0, 300, 256, 364}},
        // A monitor to the left that was removed; the nearest one's work area starts at 0.
        {{-1200, 200, -944, 264}, kMainWork, {0, 200, 256, 264}},
        // Larger than the work area: its corner goes to the area's corner.
        {{5000, 5000, 7000, 6000}, kMainWork, {0, 0, 2000, 1000}},
        // The work area of the second monitor.
        {{1900, 900, 2156, 964}, {1024, 200, 1824, 768}, {1568, 704, 1824, 768}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dock::KeepReachable(c.floating, kVirtualScreen, c.workArea), c.expected) << c.floating;
}

TEST(KeepReachable, LeavesEmptyAndInvertedRectanglesAsTheyAre) {
    for (const Rect& rc : {Rect{5000, 5000, 5000, 5064}, Rect{300, 300, 100, 100}, Rect{}})
        EXPECT_EQ(dock::KeepReachable(rc, kVirtualScreen, kMainWork), rc) << rc;
}

}  // namespace
