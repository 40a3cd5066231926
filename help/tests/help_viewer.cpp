#include "help/tests/help_viewer.h"

#include <richedit.h>

#include <fstream>
#include <sstream>

#include "bar/tests/bar_process.h"
#include "common/win_handles.h"

namespace helptest {
namespace {

constexpr char kViewerClass[] = "MS_WINHELP";

// Frees memory allocated in another process when the reading is done.
class RemoteBuffer {
public:
    RemoteBuffer(HANDLE process, size_t size)
        : m_process(process),
          m_memory(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (m_memory) VirtualFreeEx(m_process, m_memory, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    char* Get() const { return static_cast<char*>(m_memory); }

private:
    HANDLE m_process;
    void* m_memory;
};

HWND FindTopicPane(HWND viewer) {
    HWND found = nullptr;
    EnumChildWindows(
        viewer,
        [](HWND child, LPARAM param) -> BOOL {
            char name[64] = {};
            GetClassNameA(child, name, sizeof(name));
            if (strncmp(name, "RichEdit", 8) != 0) return TRUE;
            *reinterpret_cast<HWND*>(param) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

std::string HelpFilePath() { return bartest::TestProgramFolder() + "Hintrail.hlp"; }

Contents ReadContents() {
    std::ifstream in(bartest::TestProgramFolder() + "Hintrail.cnt", std::ios::binary);
    Contents contents;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.rfind(":Base ", 0) == 0) {
            contents.base = line.substr(6);
        } else if (line.rfind(":Title ", 0) == 0) {
            contents.title = line.substr(7);
        } else if (line.rfind("1 ", 0) == 0) {
            // The context name is ASCII, so its '=' is the last byte '=' of the line.
            const auto equals = line.rfind('=');
            contents.topics.push_back({line.substr(2, equals - 2), line.substr(equals + 1)});
        }
    }
    return contents;
}

HWND FindViewer(const std::string& helpTitle) { return bartest::FindTopWindow(kViewerClass, helpTitle.c_str()); }

std::string ShownText(HWND viewer) {
    HWND pane = FindTopicPane(viewer);
    DWORD processId = 0;
    GetWindowThreadProcessId(pane, &processId);
    ScopedKernelObject process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!pane || !process) return {};
    constexpr size_t kTextSize = 64 * 1024;
    RemoteBuffer remote(process.Get(), sizeof(TEXTRANGEA) + kTextSize);
    if (!remote.Get()) return {};
    TEXTRANGEA range{};
    range.chrg = {0, -1};
    range.lpstrText = remote.Get() + sizeof(TEXTRANGEA);
    if (!WriteProcessMemory(process.Get(), remote.Get(), &range, sizeof(range), nullptr)) return {};
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(pane, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(remote.Get()),
                             SMTO_ABORTIFHUNG, 5000, &length) ||
        length >= kTextSize)
        return {};
    std::string text(length, '\0');
    if (!ReadProcessMemory(process.Get(), range.lpstrText, text.data(), length, nullptr)) return {};
    return text;
}

bool CloseViewer(HWND viewer) {
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    return bartest::WaitFor([&] { return !IsWindow(viewer); });
}

}  // namespace helptest
