// Test helper: a thread that waits for a visible message box of this process, remembers its
// caption and text and closes it, so that code which shows a box can be tested without a person.
#pragma once

#include <windows.h>

#include <string>
#include <thread>

namespace hr::test {

class MessageBoxCloser {
public:
    explicit MessageBoxCloser(DWORD timeoutMs = 15000) : m_thread([this, timeoutMs] { Run(timeoutMs); }) {}
    ~MessageBoxCloser() {
        if (m_thread.joinable()) m_thread.join();
    }
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    // Wait for the thread; both stay "" if no box appeared.
    std::string Caption() {
        Join();
        return m_caption;
    }
    std::string Text() {
        Join();
        return m_text;
    }

private:
    void Join() {
        if (m_thread.joinable()) m_thread.join();
    }

    static BOOL CALLBACK FindBox(HWND window, LPARAM found) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        char className[16] = {};
        GetClassNameA(window, className, sizeof(className));
        if (process != GetCurrentProcessId() || !IsWindowVisible(window) || std::string(className) != "#32770") {
            return TRUE;
        }
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }

    void Run(DWORD timeoutMs) {
        const ULONGLONG deadline = GetTickCount64() + timeoutMs;
        while (GetTickCount64() < deadline) {
            HWND box = nullptr;
            EnumWindows(FindBox, reinterpret_cast<LPARAM>(&box));
            if (box) {
                char text[1024] = {};
                GetWindowTextA(box, text, sizeof(text));
                m_caption = text;
                GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));  // the box's static text control
                m_text = text;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(20);
        }
    }

    std::string m_caption;
    std::string m_text;
    std::thread m_thread;
};

}  // namespace hr::test
