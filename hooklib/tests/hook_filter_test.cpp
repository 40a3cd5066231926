// The hook library's decision, natively: every row of the decision table, and which system
// questions it asks (none at all for the messages it does not care about).
#include "hooklib/hook_filter.h"

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
    bool hasParent, hookWindowFound, isTracked;
    bool reported;
};

const Row kRows[] = {
    // Activation: reported for parentless windows, tracked or not.
    {"activation of a parentless window", kNcActivate, kActivate, false, true, false, true},
    {"activation, tracked too", kNcActivate, kActivate, false, true, true, true},
    {"activation with any non-zero wParam", kNcActivate, 0x10000, false, true, false, true},
    {"deactivation", kNcActivate, 0, false, true, true, false},
    {"activation of a child or owned pop-up", kNcActivate, kActivate, true, true, true, false},
    {"activation with no hook window", kNcActivate, kActivate, false, false, true, false},
    // Popup, title and command: only for the tracked window.
    {"popup of the tracked window", kInitMenuPopup, 0, false, true, true, true},
    {"popup of another window", kInitMenuPopup, 0, false, true, false, false},
    {"popup with no hook window", kInitMenuPopup, 0, false, false, true, false},
    {"popup of a child that is tracked", kInitMenuPopup, 0, true, true, true, true},
    {"title of the tracked window", kSetText, 0, false, true, true, true},
    {"title of another window", kSetText, 0, false, true, false, false},
    {"title with no hook window", kSetText, 0, false, false, true, false},
    {"menu command (code 0)", kCommand, Command(100, 0), false, true, true, true},
    {"accelerator (code 1)", kCommand, Command(100, 1), false, true, true, true},
    {"control notification (code 2)", kCommand, Command(100, 2), false, true, true, false},
    {"control notification (code 0xFFFF)", kCommand, Command(100, 0xFFFF), false, true, true, false},
    {"command of another window", kCommand, Command(100, 0), false, true, false, false},
    {"command with no hook window", kCommand, Command(100, 0), false, false, true, false},
    // Anything else, however the other inputs stand.
    {"WM_PAINT", 0x000F, 0, false, true, true, false},
    {"WM_ACTIVATE", 0x0006, kActivate, false, true, true, false},
    {"WM_SYSCOMMAND", 0x0112, 0, false, true, true, false},
    {"WM_INITMENU", 0x0116, 0, false, true, true, false},
    {"WM_MENUSELECT", 0x011F, 0, false, true, true, false},
    {"WM_COPYDATA", 0x004A, 0, false, true, true, false},
};

TEST(HookFilter, DecisionTable) {
    for (const Row& row : kRows) {
        EXPECT_EQ(ShouldReport(row.message, row.wParam, row.hasParent, row.hookWindowFound, row.isTracked),
                  row.reported)
            << row.name;
    }
}

// Records the questions asked, in order: P parent, H hook window, T tracked, R report.
struct RecordingSystem {
    bool hasParent = false, hookWindowFound = true, isTracked = true;
    std::string asked;
    bool HasParent(int) { return asked += 'P', hasParent; }
    bool EnsureHookWindow() { return asked += 'H', hookWindowFound; }
    bool IsTracked(int) { return asked += 'T', isTracked; }
    void Report(int, std::uint32_t, std::uintptr_t, std::intptr_t) { asked += 'R'; }
};

struct CallRow {
    const char* name;
    std::uint32_t message;
    std::uintptr_t wParam;
    bool hasParent, hookWindowFound, isTracked;
    const char* asked;
};

const CallRow kCallRows[] = {
    {"other message: no question", 0x000F, 0, false, true, true, ""},
    {"deactivation: no question", kNcActivate, 0, false, true, true, ""},
    {"activation: parent, then hook window, no tracked test", kNcActivate, kActivate, false, true, false, "PHR"},
    {"activation of a child stops at the parent", kNcActivate, kActivate, true, true, true, "P"},
    {"activation with no hook window", kNcActivate, kActivate, false, false, true, "PH"},
    {"popup: hook window, then tracked", kInitMenuPopup, 0, false, true, true, "HTR"},
    {"popup with no hook window: no tracked test", kInitMenuPopup, 0, false, false, true, "H"},
    {"title of another window", kSetText, 0, false, true, false, "HT"},
    {"control notification: no question", kCommand, Command(7, 2), false, true, true, ""},
    {"menu command", kCommand, Command(7, 0), false, true, true, "HTR"},
};

TEST(HookFilter, AsksTheSystemOnlyWhatTheDecisionNeeds) {
    for (const CallRow& row : kCallRows) {
        RecordingSystem system{row.hasParent, row.hookWindowFound, row.isTracked, {}};
        FilterAndReport(system, 0, row.message, row.wParam, 0);
        EXPECT_EQ(system.asked, row.asked) << row.name;
    }
}

TEST(HookFilter, ReportsTheMessageUnchanged) {
    struct Capture {
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

}  // namespace
