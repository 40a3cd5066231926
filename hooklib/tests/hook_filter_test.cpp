// The hook library's decision, natively: every row of the decision table, which system
// questions it asks (none at all for the messages it does not care about), and when reports
// pause after one has given up.
#include "hooklib/hook_filter.h"
#include "hooklib/report_pause.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace hr::hook;

constexpr std::uint32_t kActivate = 1;
constexpr std::uintptr_t Command(std::uint32_t id, std::uint32_t code) { return (code << 16) | id; }

struct Row {
    const char* name;
    std::uint32_t message;
    std::uintptr_t wParam;
    bool paused, hasParent, hookWindowFound, isTracked;
    bool reported;
};

const Row kRows[] = {
    // Activation: reported for parentless windows, tracked or not.
    {"activation of a parentless window", kNcActivate, kActivate, false, false, true, false, true},
    {"activation, tracked too", kNcActivate, kActivate, false, false, true, true, true},
    {"activation with any non-zero wParam", kNcActivate, 0x10000, false, false, true, false, true},
    {"deactivation", kNcActivate, 0, false, false, true, true, false},
    {"activation of a child or owned pop-up", kNcActivate, kActivate, false, true, true, true, false},
    {"activation with no hook window", kNcActivate, kActivate, false, false, false, true, false},
    // Popup, title and command: only for the tracked window.
    {"popup of the tracked window", kInitMenuPopup, 0, false, false, true, true, true},
    {"popup of another window", kInitMenuPopup, 0, false, false, true, false, false},
    {"popup with no hook window", kInitMenuPopup, 0, false, false, false, true, false},
    {"popup of a child that is tracked", kInitMenuPopup, 0, false, true, true, true, true},
    {"title of the tracked window", kSetText, 0, false, false, true, true, true},
    {"title of another window", kSetText, 0, false, false, true, false, false},
    {"title with no hook window", kSetText, 0, false, false, false, true, false},
    {"menu command (code 0)", kCommand, Command(100, 0), false, false, true, true, true},
    {"accelerator (code 1)", kCommand, Command(100, 1), false, false, true, true, true},
    {"control notification (code 2)", kCommand, Command(100, 2), false, false, true, true, false},
    {"control notification (code 0xFFFF)", kCommand, Command(100, 0xFFFF), false, false, true, true, false},
    {"command of another window", kCommand, Command(100, 0), false, false, true, false, false},
    {"command with no hook window", kCommand, Command(100, 0), false, false, false, true, false},
    // While reports pause, nothing is reported, however the other inputs stand.
    {"activation while reports pause", kNcActivate, kActivate, true, false, true, false, false},
    {"popup while reports pause", kInitMenuPopup, 0, true, false, true, true, false},
    {"title while reports pause", kSetText, 0, true, false, true, true, false},
    {"command while reports pause", kCommand, Command(100, 0), true, false, true, true, false},
    // Anything else, however the other inputs stand.
    {"WM_PAINT", 0x000F, 0, false, false, true, true, false},
    {"WM_ACTIVATE", 0x0006, kActivate, false, false, true, true, false},
    {"WM_SYSCOMMAND", 0x0112, 0, false, false, true, true, false},
    {"WM_INITMENU", 0x0116, 0, false, false, true, true, false},
    {"WM_MENUSELECT", 0x011F, 0, false, false, true, true, false},
    {"WM_COPYDATA", 0x004A, 0, false, false, true, true, false},
};

TEST(HookFilter, DecisionTable) {
    for (const Row& row : kRows) {
        EXPECT_EQ(ShouldReport(row.message, row.wParam, row.paused, row.hasParent, row.hookWindowFound,
                               row.isTracked),
                  row.reported)
            << row.name;
    }
}

// Records the questions asked, in order: Z paused, P parent, H hook window, T tracked, R report.
struct RecordingSystem {
    bool paused = false, hasParent = false, hookWindowFound = true, isTracked = true;
    std::string asked;
    bool ReportsPaused() { return asked += 'Z', paused; }
    bool HasParent(int) { return asked += 'P', hasParent; }
    bool EnsureHookWindow() { return asked += 'H', hookWindowFound; }
    bool IsTracked(int) { return asked += 'T', isTracked; }
    void Report(int, std::uint32_t, std::uintptr_t, std::intptr_t) { asked += 'R'; }
};

struct CallRow {
    const char* name;
    std::uint32_t message;
    std::uintptr_t wParam;
    bool paused, hasParent, hookWindowFound, isTracked;
    const char* asked;
};

const CallRow kCallRows[] = {
    {"other message: no question", 0x000F, 0, false, false, true, true, ""},
    {"deactivation: no question", kNcActivate, 0, false, false, true, true, ""},
    {"activation: parent, then hook window, no tracked test", kNcActivate, kActivate, false, false, true, false, "ZPHR"},
    {"activation of a child stops at the parent", kNcActivate, kActivate, false, true, true, true, "ZP"},
    {"activation with no hook window", kNcActivate, kActivate, false, false, false, true, "ZPH"},
    {"popup: hook window, then tracked", kInitMenuPopup, 0, false, false, true, true, "ZHTR"},
    {"popup with no hook window: no tracked test", kInitMenuPopup, 0, false, false, false, true, "ZH"},
    {"title of another window", kSetText, 0, false, false, true, false, "ZHT"},
    {"control notification: no question", kCommand, Command(7, 2), false, false, true, true, ""},
    {"menu command", kCommand, Command(7, 0), false, false, true, true, "ZHTR"},
    {"activation while reports pause: nothing after the pause", kNcActivate, kActivate, true, false, true, true, "Z"},
    {"popup while reports pause", kInitMenuPopup, 0, true, false, true, true, "Z"},
    {"control notification while reports pause: no question", kCommand, Command(7, 2), true, false, true, true, ""},
};

TEST(HookFilter, AsksTheSystemOnlyWhatTheDecisionNeeds) {
    for (const CallRow& row : kCallRows) {
        RecordingSystem system{row.paused, row.hasParent, row.hookWindowFound, row.isTracked, {}};
        FilterAndReport(system, 0, row.message, row.wParam, 0);
        EXPECT_EQ(system.asked, row.asked) << row.name;
    }
}

TEST(HookFilter, ReportsTheMessageUnchanged) {
    struct Capture {
        bool ReportsPaused() { return false; }
        bool HasParent(int) { return false; }
        bool EnsureHookWindow() { return true; }
        bool IsTracked(int) { return true; }
        void Report(int w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
            window = w, message = m, wParam = wp, lParam = lp;
        }
        int window = 0;
        std::uint32_t message = 0;
        std::uintptr_t wParam = 0;
        std::intptr_t lParam = 0;
    } system;
    FilterAndReport(system, 42, kCommand, Command(0x1234, 1), -5);
    EXPECT_EQ(system.window, 42);
    EXPECT_EQ(system.message, kCommand);
    EXPECT_EQ(system.wParam, Command(0x1234, 1));
    EXPECT_EQ(system.lParam, -5);
}

struct PauseRow {
    const char* name;
    std::uint32_t failedAt, now;
    bool paused;
};

constexpr std::uint32_t kWrap = 0xFFFFFFFF;  // the last tick before the count starts again at 0

const PauseRow kPauseRows[] = {
    {"no report has given up", kNoFailure, 5000, false},
    {"no report has given up, at tick 0", kNoFailure, 0, false},
    {"the moment a report gave up", 10000, 10000, true},
    {"in the middle of the pause", 10000, 10000 + kReportPauseMs / 2, true},
    {"the last tick of the pause", 10000, 10000 + kReportPauseMs - 1, true},
    {"the pause is over", 10000, 10000 + kReportPauseMs, false},
    {"long after", 10000, 10000 + 3600000, false},
    {"a pause across the wrap of the tick count", kWrap - 100, 200, true},
    {"a pause that ends just after the wrap", kWrap - 100, kReportPauseMs - 102, true},
    {"after a pause that ended after the wrap", kWrap - 100, kReportPauseMs - 101, false},
    {"another thread stamped its failure just after this one read the clock", 10005, 10000, true},
    {"a stamp a whole pause ahead", 10000 + kReportPauseMs, 10000, true},
    {"a stamp an hour ahead is an old one, from 49 days back", 10000 + 3600000, 10000, false},
    {"a stamp ahead across the wrap", 3, kWrap - 2, true},
};

TEST(ReportPause, TableOfTicks) {
    for (const PauseRow& row : kPauseRows) {
        EXPECT_EQ(ReportsPaused(row.failedAt, row.now), row.paused) << row.name;
    }
}

TEST(ReportPause, AFailureAtTickZeroStillPauses) {
    EXPECT_EQ(FailureStamp(12345), 12345u);
    EXPECT_NE(FailureStamp(0), kNoFailure);
    EXPECT_TRUE(ReportsPaused(FailureStamp(0), 0));
    EXPECT_TRUE(ReportsPaused(FailureStamp(0), kReportPauseMs - 1));
}

}  // namespace
