#include "hooklib/tests/activation_target.h"

#include <string>

#include "hooklib/tests/pump_until.h"

namespace hr::test {

namespace {

std::string ProgramBesideThisOne(const char* fileName) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1) + fileName;
}

// Generous: the second program may be slow to start on a loaded machine.
constexpr DWORD kAnswerMs = 30000;

}  // namespace

ActivationTarget::ActivationTarget() {
    // The title names this process, so that a program left over from another run is not taken.
    const std::string title = "activation target of " + std::to_string(GetCurrentProcessId());
    std::string commandLine = "\"" + ProgramBesideThisOne("activation_target.exe") + "\" \"" + title + "\"";
    STARTUPINFOA startup{sizeof(startup)};
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        return;
    }
    CloseHandle(process.hThread);
    m_process.Reset(process.hProcess);
    HWND found = nullptr;
    if (PumpUntil([&] { return (found = FindWindowA(kActivationTargetClass, title.c_str())) != nullptr; },
                  kAnswerMs)) {
        m_control = found;
    }
}

ActivationTarget::~ActivationTarget() {
    if (!m_process) return;
    if (m_control) PostMessageA(m_control, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process.Get(), kAnswerMs) != WAIT_OBJECT_0) {
        TerminateProcess(m_process.Get(), 99);
        WaitForSingleObject(m_process.Get(), kAnswerMs);
    }
}

HWND ActivationTarget::Window(int index) const {
    DWORD_PTR window = 0;
    SendMessageTimeoutA(m_control, kWindowHandle, index, 0, SMTO_NORMAL, kAnswerMs, &window);
    return reinterpret_cast<HWND>(window);
}

double ActivationTarget::Activate(int index) const {
    DWORD_PTR microseconds = 0;
    if (!SendMessageTimeoutA(m_control, kActivateWindow, index, 0, SMTO_NORMAL, kAnswerMs, &microseconds)) {
        return -1;
    }
    return static_cast<double>(microseconds) / 1000;
}

}  // namespace hr::test
