// A bar that stops answering, under Wine: the real hook library, a stand-in hook window whose
// thread blocks without handling messages, and a second program whose windows are activated.
// The first activation gives up after the short time-out, the next ones during the pause do not
// wait at all and their reports are dropped, and once the stand-in answers again and the pause
// is over, its reports arrive again.
#include <windows.h>

#include <gtest/gtest.h>

#include "hooklib/hrdll.h"
#include "hooklib/report_pause.h"
#include "hooklib/tests/activation_target.h"
#include "hooklib/tests/pump_until.h"
#include "hooklib/tests/stand_in_hook_window.h"

namespace {

using hr::hook::kReportPauseMs;
using hr::hook::kReportTimeoutMs;
using hr::test::ActivationTarget;
using hr::test::PumpUntil;
using hr::test::StandInHookWindow;

// The windows of the second program, each activated in one phase only.
enum : int { kAnswered, kFirstFrozen, kPausedA, kPausedB, kRecoveredA, kRecoveredB };

// The limit the time-out replaces: a report used to wait up to five seconds.
constexpr double kOldWaitMs = 5000;

TEST(FrozenBar, ActivationsGiveUpOnceThenPassAndReportsResumeWhenItAnswers) {
    ASSERT_TRUE(HintrailDLL_Setup(TRUE));
    StandInHookWindow standIn;
    ActivationTarget target;
    ASSERT_TRUE(target.Started());
    HWND windows[hr::test::kActivationTargetWindows];
    for (int i = 0; i < hr::test::kActivationTargetWindows; ++i) windows[i] = target.Window(i);

    // The library runs in the second program and reaches the stand-in while it answers.
    ASSERT_GE(target.Activate(kAnswered), 0);
    ASSERT_TRUE(PumpUntil([&] { return standIn.HasActivation(windows[kAnswered]); }));

    standIn.Freeze();
    const double first = target.Activate(kFirstFrozen);
    const DWORD gaveUpAt = GetTickCount();
    EXPECT_GE(first, kReportTimeoutMs * 0.8) << "the first activation did not wait for the frozen bar";
    EXPECT_LT(first, kOldWaitMs / 2) << "the first activation waited far beyond the time-out";

    // During the pause: no wait at all. Only activations that start well inside it count.
    int paused = 0;
    for (int round = 0; round < 4 && GetTickCount() - gaveUpAt < kReportPauseMs / 2; ++round, ++paused) {
        const double next = target.Activate(round % 2 ? kPausedB : kPausedA);
        EXPECT_GE(next, 0);
        // A wait for the frozen bar would last the whole time-out.
        EXPECT_LT(next, kReportTimeoutMs * 0.6) << "activation " << round + 2 << " waited for the frozen bar";
    }
    EXPECT_GT(paused, 0) << "the machine was too slow to activate a window inside the pause";

    // Answering again, the stand-in gets reports again, once the pause is over; activations keep
    // coming as a user's would.
    standIn.Thaw();
    int round = 0;
    const bool resumed = PumpUntil(
        [&] {
            target.Activate(round++ % 2 ? kRecoveredB : kRecoveredA);
            return standIn.HasActivation(windows[kRecoveredA]) || standIn.HasActivation(windows[kRecoveredB]);
        },
        kReportPauseMs + 15000);
    EXPECT_TRUE(resumed) << "the stand-in got no report after it answered again";
    EXPECT_GE(GetTickCount() - gaveUpAt, kReportPauseMs * 0.9) << "reports resumed before the pause was over";
    // Reports are handled in order, so any report of the pause would have arrived by now.
    EXPECT_FALSE(standIn.HasActivation(windows[kPausedA])) << "a report during the pause was sent";
    EXPECT_FALSE(standIn.HasActivation(windows[kPausedB])) << "a report during the pause was sent";
    EXPECT_TRUE(HintrailDLL_Setup(FALSE));
}

}  // namespace
