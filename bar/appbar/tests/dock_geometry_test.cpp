#include "bar/appbar/dock_geometry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace dock {
std::ostream& operator<<(std::ostream& os, const Rect& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
}  // namespace dock

namespace {

using dock::Rect;

// A 1024x768 screen with an optional taskbar along the bottom and another bar at the top:
// the shell moves proposals clear of both, as ABM_QUERYPOS does.
class FakeShell : public dock::AppBarShell {
public:
    int taskbar = 0;   // height of a taskbar at the bottom
    int topBar = 0;    // thickness of another bar registered at the top before us
    bool refuse = false;
    int queries = 0;

    int ScreenWidth() override { return 1024; }
    int ScreenHeight() override { return 768; }
    Rect QueryPos(unsigned edge, const Rect& p) override {
        ++queries;
        if (refuse) return Rect{};
        Rect rc = p;
        if (edge == dock::kBottom) {
            rc.bottom -= taskbar;
            rc.top -= taskbar;
        }
        if (edge == dock::kTop) {
            rc.top += topBar;
            rc.bottom += topBar;
        }
        if (edge == dock::kLeft || edge == dock::kRight) {
            rc.top = topBar;
            rc.bottom = 768 - taskbar;
        }
        return rc;
    }
};

const int kThickness[4] = {128, 32, 128, 32};

TEST(ProposeBand, CutsTheBandAtEachEdgeOfAFreeScreen) {
    FakeShell shell;
    struct Case { unsigned edge; int thickness; Rect expected; } cases[] = {
        {dock::kLeft, 128, {0, 0, 128, 768}},
        {dock::kTop, 32, {0, 0, 1024, 32}},
        {dock::kRight, 128, {896, 0, 1024, 768}},
        {dock::kBottom, 32, {0, 736, 1024, 768}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dock::ProposeBand(shell, c.edge, c.thickness), c.expected) << "edge " << c.edge;
}

TEST(ProposeBand, KeepsTheThicknessFromTheSideTheShellKept) {
    FakeShell shell;
    shell.taskbar = 30;
    shell.topBar = 20;
    EXPECT_EQ(dock::ProposeBand(shell, dock::kBottom, 32), (Rect{0, 706, 1024, 738}));
    EXPECT_EQ(dock::ProposeBand(shell, dock::kTop, 32), (Rect{0, 20, 1024, 52}));
    EXPECT_EQ(dock::ProposeBand(shell, dock::kLeft, 100), (Rect{0, 20, 100, 738}));
}

TEST(ProposeBand, ARefusedQueryStillGetsTheThickness) {
    FakeShell shell;
    shell.refuse = true;
    EXPECT_EQ(dock::ProposeBand(shell, dock::kTop, 32), (Rect{0, 0, 0, 32}));
    EXPECT_EQ(dock::ProposeBand(shell, dock::kRight, 50), (Rect{-50, 0, 0, 0}));
}

TEST(WindowRectForSeat, OverhangsTheScreenButNotTheInnerEdge) {
    struct Case { unsigned seat; Rect bar; Rect expected; } cases[] = {
        {dock::kTop, {0, 0, 1024, 32}, {-2, -2, 1026, 32}},
        {dock::kBottom, {0, 736, 1024, 768}, {-2, 736, 1026, 770}},
        {dock::kLeft, {0, 0, 128, 768}, {-2, -2, 128, 770}},
        {dock::kRight, {896, 0, 1024, 768}, {896, -2, 1026, 770}},
        {dock::kFloating, {100, 100, 356, 164}, {100, 100, 356, 164}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(dock::WindowRectForSeat(c.seat, c.bar), c.expected) << "seat " << c.seat;
}

TEST(HitTestSeat, AwayFromTheEdgesTheBarFloatsUnderTheCursor) {
    struct Case {
        const char* name;
        dock::Point cursor;
        Rect floatRect;
        unsigned seat;
        dock::Point origin;
        Rect expected;
    } cases[] = {
        // A docked bar torn off its edge is centred on the cursor, whatever the grip.
        {"docked, dragged off", {500, 400}, {0, 0, 256, 64}, dock::kTop, {3, 7}, {372, 368, 628, 432}},
        {"odd sizes halve toward zero", {500, 400}, {0, 0, 255, 63}, dock::kLeft, {}, {373, 369, 628, 432}},
        // A floating bar keeps the button-down point under the cursor.
        {"floating", {600, 300}, {100, 100, 356, 164}, dock::kFloating, {10, 5}, {590, 295, 846, 359}},
    };
    for (const Case& c : cases) {
        FakeShell shell;
        dock::SeatHit hit =
            dock::HitTestSeat(shell, c.cursor, kThickness, c.floatRect, c.seat, c.origin);
        EXPECT_EQ(hit.seat, dock::kFloating) << c.name;
        EXPECT_EQ(hit.feedback, c.expected) << c.name;
    }
}

TEST(HitTestSeat, PicksTheEdgeWhoseBandHoldsTheCursor) {
    FakeShell shell;
    shell.taskbar = 30;
    struct Case { dock::Point cursor; unsigned seat; Rect band; } cases[] = {
        {{500, 10}, dock::kTop, {0, 0, 1024, 32}},
        {{500, 31}, dock::kTop, {0, 0, 1024, 32}},
        {{500, 706}, dock::kBottom, {0, 706, 1024, 738}},
        {{500, 760}, dock::kBottom, {0, 706, 1024, 738}},  // over the taskbar below the band
        {{5, 300}, dock::kLeft, {0, 0, 128, 738}},
        {{1000, 300}, dock::kRight, {896, 0, 1024, 738}},
        {{2, 2}, dock::kTop, {0, 0, 1024, 32}},            // corners go to top or bottom
        {{1020, 2}, dock::kTop, {0, 0, 1024, 32}},
        {{2, 760}, dock::kBottom, {0, 706, 1024, 738}},
        {{1020, 720}, dock::kBottom, {0, 706, 1024, 738}},
    };
    for (const Case& c : cases) {
        dock::SeatHit hit =
            dock::HitTestSeat(shell, c.cursor, kThickness, {0, 0, 256, 64}, dock::kFloating, {});
        EXPECT_EQ(hit.seat, c.seat) << c.cursor.x << "," << c.cursor.y;
        EXPECT_EQ(hit.feedback, c.band) << c.cursor.x << "," << c.cursor.y;
    }
}

TEST(HitTestSeat, AsksTheShellAfreshForEveryBand) {
    FakeShell shell;
    dock::HitTestSeat(shell, {500, 400}, kThickness, {0, 0, 256, 64}, dock::kTop, {});
    EXPECT_EQ(shell.queries, 4);
}

}  // namespace

TEST(DragHasBegun, OnlyOnceThePointerLeavesTheDragRectangle) {
    const dock::Point pressed{100, 50};
    const dock::Point dragSize{4, 3};  // SM_CXDRAG, SM_CYDRAG
    const struct {
        dock::Point now;
        bool begun;
    } cases[] = {
        {{100, 50}, false}, {{104, 50}, false}, {{96, 50}, false},  {{100, 53}, false},
        {{100, 47}, false}, {{104, 53}, false}, {{105, 50}, true},  {{95, 50}, true},
        {{100, 54}, true},  {{100, 46}, true},  {{300, 400}, true}, {{-100, 50}, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dock::DragHasBegun(pressed, c.now, dragSize), c.begun) << c.now.x << ", " << c.now.y;
}
