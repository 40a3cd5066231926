// How long an activation in another program waits while the bar is frozen: the real hook library,
// a stand-in hook window whose thread stops answering, and a second program whose windows are
// activated and that times each activation itself. Prints figures:
//   frozen_bar_bench [SECONDS FROZEN]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "hooklib/hrdll.h"
#include "hooklib/report_pause.h"
#include "hooklib/tests/activation_target.h"
#include "hooklib/tests/pump_until.h"
#include "hooklib/tests/stand_in_hook_window.h"

namespace {

using hr::test::ActivationTarget;
using hr::test::StandInHookWindow;

// Activations alternate between two windows, so that each one really changes the active window.
class Activations {
public:
    Activations(const ActivationTarget& target, int first) : m_target(target), m_first(first) {}
    double Next() { return m_target.Activate(m_first + m_round++ % 2); }

private:
    const ActivationTarget& m_target;
    int m_first;
    int m_round = 0;
};

void Print(const char* what, std::vector<double> ms) {
    if (ms.empty()) {
        std::printf("  %-46s (none)\n", what);
        return;
    }
    std::sort(ms.begin(), ms.end());
    std::printf("  %-46s median %7.2f ms   max %7.2f ms   (%zu)\n", what, ms[ms.size() / 2], ms.back(), ms.size());
}

// Waits while the thread pumps, as a user's pause between two window switches would.
void Idle(DWORD ms) { hr::test::PumpUntil([] { return false; }, ms); }

// One freeze of the stand-in, while activations alternate between two frozen-time windows, and
// its recovery, with activations between two more windows.
void MeasureFreeze(const char* how, StandInHookWindow::Stop stop, StandInHookWindow& standIn,
                   const ActivationTarget& target, DWORD frozenMs) {
    std::printf("bar frozen, its thread %s:\n", how);
    standIn.Forget();  // the recovery windows' reports of an earlier freeze
    standIn.Freeze(stop);
    Activations frozen(target, 2);
    const DWORD frozenAt = GetTickCount();
    const double first = frozen.Next();
    std::printf("  %-46s %7.2f ms\n", "the first activation", first);
    std::vector<double> next;
    for (int i = 0; i < 20; ++i) next.push_back(frozen.Next());
    Print("the next 20 at once", next);

    // A user who keeps switching windows, ten times a second, while the bar stays frozen.
    std::vector<double> passed;
    std::printf("  frozen for %lu s, an activation every 100 ms or so; those that waited:\n",
                static_cast<unsigned long>(frozenMs / 1000));
    while (GetTickCount() - frozenAt < frozenMs) {
        const DWORD startedAt = GetTickCount() - frozenAt;
        const double ms = frozen.Next();
        if (ms < hr::hook::kReportTimeoutMs / 2.0) {
            passed.push_back(ms);
        } else {
            std::printf("    at %5.1f s: %7.2f ms\n", startedAt / 1000.0, ms);
        }
        Idle(100);
    }
    Print("  the others", passed);

    standIn.Thaw();
    const DWORD thawedAt = GetTickCount();
    Activations recovering(target, 4);
    const HWND windows[] = {target.Window(4), target.Window(5)};
    const bool resumed = hr::test::PumpUntil([&] {
        recovering.Next();
        return standIn.HasActivation(windows[0]) || standIn.HasActivation(windows[1]);
    });
    if (resumed) {
        std::printf("  %-46s %7lu ms after it answered again\n", "its reports arrive",
                    static_cast<unsigned long>(GetTickCount() - thawedAt));
    } else {
        std::printf("  its reports did not arrive again\n");
    }
    std::vector<double> after;
    for (int i = 0; i < 50; ++i) after.push_back(recovering.Next());
    Print("after recovery", after);
}

}  // namespace

int main(int argc, char** argv) {
    const DWORD frozenMs = (argc > 1 ? std::atoi(argv[1]) : 20) * 1000;
    if (!HintrailDLL_Setup(TRUE)) return std::puts("the hooks did not install"), 1;
    StandInHookWindow standIn;
    ActivationTarget target;
    if (!target.Started()) return std::puts("the second program did not start"), 1;
    std::printf("report time-out %u ms, pause %u ms; activations in a second program:\n",
                hr::hook::kReportTimeoutMs, hr::hook::kReportPauseMs);

    Activations answered(target, 0);
    std::vector<double> healthy;
    for (int i = 0; i < 50; ++i) healthy.push_back(answered.Next());
    Print("bar answering", healthy);

    MeasureFreeze("busy elsewhere (deemed hung after 5 s)", StandInHookWindow::Stop::Busy, standIn, target,
                  frozenMs);
    MeasureFreeze("suspended while waiting for messages (never deemed hung)", StandInHookWindow::Stop::Suspended,
                  standIn, target, frozenMs);
    HintrailDLL_Setup(FALSE);
    return 0;
}
