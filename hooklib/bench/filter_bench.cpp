// Driver for counting the instructions of the hook filter with callgrind: the filter of
// HRDLL.dll, compiled natively over stand-ins for the system calls that count how often they run.
//   filter_bench MESSAGE WPARAM CALLS   (numbers in C notation, e.g. 0x200)
#include <cstdio>
#include <cstdlib>

#include "hooklib/hook_filter.h"

namespace {

unsigned long systemCalls;

// Out of line like the real USER32 calls, so the compiler cannot fold them into the filter.
__attribute__((noinline)) bool SystemCall() {
    ++systemCalls;
    return true;
}

struct CountingSystem {
    static bool ReportsPaused() { return false; }  // as when no report has given up: no call
    static bool HasParent(const void*) { return !SystemCall(); }
    static bool EnsureHookWindow() { return SystemCall(); }
    static bool IsTracked(const void*) { return SystemCall(); }
    static void Report(const void*, std::uint32_t, std::uintptr_t, std::intptr_t) { SystemCall(); }
};

}  // namespace

// One run of the filter as a hook procedure makes it; callgrind counts only inside this.
extern "C" __attribute__((noinline)) void HintrailFilterOnce(const void* window, std::uint32_t message,
                                                           std::uintptr_t wParam, std::intptr_t lParam) {
    CountingSystem system;
    hr::hook::FilterAndReport(system, window, message, wParam, lParam);
}

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s MESSAGE WPARAM CALLS\n", argv[0]);
        return 2;
    }
    // volatile: the optimiser must not hoist the filter out of the loop.
    volatile std::uint32_t message = static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 0));
    volatile std::uintptr_t wParam = std::strtoull(argv[2], nullptr, 0);
    const unsigned long calls = std::strtoul(argv[3], nullptr, 0);
    int window = 0;
    for (unsigned long i = 0; i < calls; ++i) HintrailFilterOnce(&window, message, wParam, 0);
    std::printf("system-calls %lu\n", systemCalls);
    return 0;
}
