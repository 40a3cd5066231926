// How long a report may hold up the program that sends it, and how long reports pause after
// one has given up. Every program on the desktop waits for the bar's thread on each report, so
// a bar that stops answering must cost the desktop at most one short wait now and then, never a
// wait per activation. The library keeps the tick count of the last report that gave up in its
// shared section; this is the decision over that value, without the system.
#pragma once

#include <cstdint>

namespace hr::hook {

// A healthy bar handles an activation report, identification included, in under 2 ms; even a
// first activation that reads a large menu bar, on a loaded machine, stays well inside 250 ms.
// A quarter of a second is a hitch, not a program that looks frozen.
inline constexpr std::uint32_t kReportTimeoutMs = 250;

// Long enough that a frozen bar costs the whole desktop one wait of kReportTimeoutMs every three
// seconds; short enough that a bar that answers again misses only the events of those seconds.
inline constexpr std::uint32_t kReportPauseMs = 3000;

static_assert(kReportTimeoutMs <= 1000 && kReportPauseMs <= 5000 && kReportPauseMs > kReportTimeoutMs,
              "a report waits well under a second, and the pause lasts a few seconds at most");

// The shared value while no report has given up (a failure at tick 0 is stamped 1).
inline constexpr std::uint32_t kNoFailure = 0;

constexpr std::uint32_t FailureStamp(std::uint32_t now) { return now == kNoFailure ? 1 : now; }

// Whether reports pause at tick `now` after the report that gave up at `failedAt`. Ticks wrap
// every 49.7 days, so only differences count. A failure up to a pause ahead of `now` pauses too:
// another thread may stamp its failure after this one has read the clock.
constexpr bool ReportsPaused(std::uint32_t failedAt, std::uint32_t now) {
    if (failedAt == kNoFailure) return false;
    const std::uint32_t since = now - failedAt;
    const std::uint32_t ahead = failedAt - now;
    return since < kReportPauseMs || ahead <= kReportPauseMs;
}

}  // namespace hr::hook
