// Which window messages the hook library reports: a decision over the message, its wParam,
// whether reports pause (the bar stopped answering a moment ago, see report_pause.h), whether
// the window has a parent, whether the hook window is found and whether the window is the
// tracked one. The last four come from the system, so they are asked lazily, in this order, and
// only for the four messages of interest: every other message on the desktop costs a few
// comparisons and no call. The pause is asked first: while it lasts a report costs nothing more.
#pragma once

#include <cstdint>

#include "hooklib/hook_protocol.h"

namespace hr::hook {

// System supplies ReportsPaused(), HasParent(window), EnsureHookWindow() and IsTracked(window).
template <class System, class Window>
constexpr bool Decide(System& system, Window window, std::uint32_t message, std::uintptr_t wParam) {
    switch (message) {
    case kNcActivate:
        // Only a window becoming active, and only a window without a parent.
        return wParam != 0 && !system.ReportsPaused() && !system.HasParent(window) &&
               system.EnsureHookWindow();
    case kCommand:
        // Notification code 0 (menu, or a control's first notification) or 1 (accelerator).
        if (((wParam >> 16) & 0xFFFF) > 1) return false;
        [[fallthrough]];
    case kInitMenuPopup:
    case kSetText:
        return !system.ReportsPaused() && system.EnsureHookWindow() && system.IsTracked(window);
    default:
        return false;
    }
}

// The filter that both hook procedures run; System also supplies Report(window, message,
// wParam, lParam). It never changes or blocks the message.
template <class System, class Window>
inline void FilterAndReport(System& system, Window window, std::uint32_t message,
                            std::uintptr_t wParam, std::intptr_t lParam) {
    if (!Decide(system, window, message, wParam)) return;
    system.Report(window, message, wParam, lParam);
}

// The decision as a plain function of its six inputs.
constexpr bool ShouldReport(std::uint32_t message, std::uintptr_t wParam, bool paused, bool hasParent,
                            bool hookWindowFound, bool isTracked) {
    struct Answers {
        bool paused, hasParent, hookWindowFound, isTracked;
        constexpr bool ReportsPaused() const { return paused; }
        constexpr bool HasParent(int) const { return hasParent; }
        constexpr bool EnsureHookWindow() const { return hookWindowFound; }
        constexpr bool IsTracked(int) const { return isTracked; }
    } answers{paused, hasParent, hookWindowFound, isTracked};
    return Decide(answers, 0, message, wParam);
}

}  // namespace hr::hook
