#include "setup_box_answerer.h"

namespace hr::test {

namespace {

struct BoxSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindSetupBox(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<BoxSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[16] = {};
    char caption[64] = {};
    GetClassNameA(window, className, sizeof(className));
    GetWindowTextA(window, caption, sizeof(caption));
    if (process != search->processId || !IsWindowVisible(window) ||
        std::string(className) != "#32770" || std::string(caption) != "Hintrail SETUP") {
        return TRUE;
    }
    search->found = window;
    return FALSE;
}

}  // namespace

SetupBoxAnswerer::SetupBoxAnswerer(std::vector<BoxAnswer> answers, DWORD processId, DWORD timeoutMs)
    : answers_(std::move(answers)),
      thread_([this, processId, timeoutMs] { Run(processId, timeoutMs); }) {}

SetupBoxAnswerer::~SetupBoxAnswerer() {
    if (thread_.joinable()) thread_.join();
}

const std::vector<std::string>& SetupBoxAnswerer::Texts() {
    if (thread_.joinable()) thread_.join();
    return texts_;
}

void SetupBoxAnswerer::Run(DWORD processId, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (const BoxAnswer& answer : answers_) {
        BoxSearch search{processId, nullptr};
        while (search.found == nullptr) {
            if (GetTickCount64() > deadline) return;
            EnumWindows(FindSetupBox, reinterpret_cast<LPARAM>(&search));
            if (search.found == nullptr) Sleep(20);
        }
        const HWND box = search.found;
        char text[2048] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));  // the box's static text control
        texts_.push_back(text);
        if (answer.first) answer.first();
        PostMessageA(box, WM_COMMAND, answer.button, 0);
        while (IsWindow(box) && GetTickCount64() <= deadline) Sleep(20);  // not this box again
    }
}

}  // namespace hr::test
