// Test helper: answers the "Hintrail SETUP" message boxes that a process (this one unless told)
// shows, one after another, from a thread of its own, and keeps the text of each.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace hr::test {

struct BoxAnswer {
    int button;                   // IDRETRY, IDCANCEL, IDOK
    std::function<void()> first;  // done while the box is up, before it is answered
};

class SetupBoxAnswerer {
public:
    explicit SetupBoxAnswerer(std::vector<BoxAnswer> answers,
                              DWORD processId = GetCurrentProcessId(), DWORD timeoutMs = 30000);
    SetupBoxAnswerer(const SetupBoxAnswerer&) = delete;
    SetupBoxAnswerer& operator=(const SetupBoxAnswerer&) = delete;
    ~SetupBoxAnswerer();

    // Waits for the thread: the texts of the boxes answered, in order.
    const std::vector<std::string>& Texts();

private:
    void Run(DWORD processId, DWORD timeoutMs);

    std::vector<BoxAnswer> answers_;
    std::vector<std::string> texts_;
    std::thread thread_;
};

}  // namespace hr::test
