#include "setup/tests/setup_process.h"

#include <commctrl.h>

#include <fstream>

#include "bar/tests/bar_process.h"
#include "common/scoped_handle.h"

namespace setuptest {

using bartest::WaitFor;
using bartest::WindowText;

namespace {

struct ProcessHandleTraits {  // OpenProcess: null on failure
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
using ScopedProcess = ScopedHandle<ProcessHandleTraits>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle dc) { DeleteDC(dc); }
};
using ScopedMemoryDc = ScopedHandle<MemoryDcTraits>;

struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static void Close(Handle object) { DeleteObject(object); }
};
using ScopedGdiObject = ScopedHandle<GdiObjectTraits>;

class ScreenDc {
public:
    ScreenDc() : dc_(GetDC(nullptr)) {}
    ~ScreenDc() { ReleaseDC(nullptr, dc_); }
    ScreenDc(const ScreenDc&) = delete;
    ScreenDc& operator=(const ScreenDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// Memory committed in another process, released with the object.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process),
          at_(static_cast<BYTE*>(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE))) {}
    ~RemoteMemory() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    BYTE* Get() const { return at_; }

private:
    HANDLE process_;
    BYTE* at_;
};

}  // namespace

SetupProcess::~SetupProcess() {
    if (!process_.hProcess) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool SetupProcess::Start(const std::string& program, const std::string& arguments) {
    const std::string exe = bartest::TestProgramFolder() + program;
    std::string commandLine = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{sizeof(startup)};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process_)) {
        return false;
    }
    return WaitFor([this] {
        sheet_ = FindOwnWindow("#32770");
        return sheet_ && PageId() != 0;
    });
}

bool SetupProcess::WaitForExit(DWORD* exitCode) {
    const bool ended =
        WaitFor([this] { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; });
    if (ended && exitCode) GetExitCodeProcess(process_.hProcess, exitCode);
    return ended;
}

HWND SetupProcess::Page() const {
    return reinterpret_cast<HWND>(SendMessageA(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int SetupProcess::PageId() const {
    HWND page = Page();
    if (!page) return 0;
    const LRESULT index = SendMessageA(sheet_, PSM_HWNDTOINDEX, reinterpret_cast<WPARAM>(page), 0);
    if (index < 0) return 0;
    return static_cast<int>(SendMessageA(sheet_, PSM_INDEXTOID, static_cast<WPARAM>(index), 0));
}

bool SetupProcess::WaitForPage(int dialogId) const {
    return WaitFor([&] { return PageId() == dialogId; });
}

bool SetupProcess::IsChecked(int controlId) const {
    return IsDlgButtonChecked(Page(), controlId) == BST_CHECKED;
}

std::string SetupProcess::Text(int controlId) const { return WindowText(Control(controlId)); }

std::string SetupProcess::Explanation() const { return Text(24000); }

bool SetupProcess::WaitForExplanation(const std::string& text) const {
    return WaitFor([&] { return Explanation() == text; });
}

bool SetupProcess::WaitForButtonEnabled(int button, bool enabled) const {
    return WaitFor([&] { return (IsWindowEnabled(GetDlgItem(sheet_, button)) != FALSE) == enabled; });
}

void SetupProcess::Click(int controlId) const {
    SendMessageA(Control(controlId), BM_CLICK, 0, 0);
}

void SetupProcess::Focus(int controlId) const {
    SendMessageA(Page(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(controlId)), TRUE);
}

void SetupProcess::SetText(int controlId, const std::string& text) const {
    SendMessageA(Control(controlId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SetupProcess::Press(int psbtn) const { PostMessageA(sheet_, PSM_PRESSBUTTON, psbtn, 0); }

bool SetupProcess::Go(int psbtn, int expectedPageId) const {
    Press(psbtn);
    return WaitForPage(expectedPageId);
}

bool SetupProcess::CloseMessageBox(Box* box) const {
    HWND found = nullptr;
    if (!WaitFor([&] { return (found = FindOwnWindow("#32770", sheet_)) != nullptr; })) return false;
    box->caption = WindowText(found);
    box->text = WindowText(GetDlgItem(found, 0xFFFF));  // the box's static text control
    PostMessageA(found, WM_COMMAND, IDOK, 0);
    return true;
}

HWND SetupProcess::FindOwnWindow(const char* className, HWND except) const {
    struct Search {
        DWORD processId;
        const char* className;
        HWND except;
        HWND found;
    } search{process_.dwProcessId, className, except, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD processId = 0;
            GetWindowThreadProcessId(window, &processId);
            char name[64] = {};
            GetClassNameA(window, name, sizeof(name));
            if (processId != s->processId || window == s->except || !IsWindowVisible(window) ||
                lstrcmpA(name, s->className) != 0) {
                return TRUE;
            }
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string SetupProcess::TreeItemText(HWND tree, HTREEITEM item) const {
    // TVM_GETITEMA fills a structure and a buffer of the tree's own process.
    ScopedProcess process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE,
                                      FALSE, process_.dwProcessId));
    if (!process) return {};
    constexpr int kCapacity = 260;
    RemoteMemory remote(process.Get(), sizeof(TVITEMA) + kCapacity);
    if (!remote.Get()) return {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = reinterpret_cast<char*>(remote.Get() + sizeof(TVITEMA));
    query.cchTextMax = kCapacity;
    char buffer[kCapacity] = {};
    if (!WriteProcessMemory(process.Get(), remote.Get(), &query, sizeof(query), nullptr) ||
        !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.Get())) ||
        !ReadProcessMemory(process.Get(), remote.Get() + sizeof(TVITEMA), buffer, kCapacity - 1,
                           nullptr)) {
        return {};
    }
    return buffer;
}

bool SaveWindowShot(HWND window, const std::string& path) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER info{sizeof(info)};
    info.biWidth = width;
    info.biHeight = height;  // bottom-up, as a BMP file stores it
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);

    ScreenDc screen;
    ScopedMemoryDc memory(CreateCompatibleDC(screen.Get()));
    void* bits = nullptr;
    ScopedGdiObject bitmap(CreateDIBSection(screen.Get(), reinterpret_cast<BITMAPINFO*>(&info),
                                            DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!memory || !bitmap) return false;
    HGDIOBJ old = SelectObject(memory.Get(), bitmap.Get());
    const bool copied =
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), rect.left, rect.top, SRCCOPY);
    SelectObject(memory.Get(), old);
    if (!copied) return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    out.write(static_cast<const char*>(bits), info.biSizeImage);
    return static_cast<bool>(out);
}

}  // namespace setuptest
