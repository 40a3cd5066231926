#include "bar/framework/wnd.h"

#include <exception>

#include "bar/framework/app.h"
#include "bar/framework/exception.h"
#include "bar/framework/framework_ids.h"

namespace fw {

namespace {
// WM_COMMANDHELP asks a window to show help for its current context; a nonzero answer takes it.
constexpr UINT kCommandHelp = 0x0365;
}  // namespace

const MessageMapEntry CWnd::messageEntries[] = {
    OnCommand(FW_ID_HELP, &CWnd::OnHelp),
    OnCommand(FW_ID_HELP_FINDER, &CWnd::OnHelpFinder),
    EndOfMessageMap(),
};
const MessageMap CWnd::messageMap = {nullptr, CWnd::messageEntries};

CWnd::~CWnd() {
    if (m_hWnd) {
        // The object goes before its window: stop the window from calling into it.
        SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

ATOM CWnd::RegisterClass(WNDCLASSA wc) {
    wc.lpfnWndProc = StaticWndProc;
    return ::RegisterClassA(&wc);
}

BOOL CWnd::CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int cx, int cy, HWND parent, HMENU menu) {
    HWND hwnd = CreateWindowExA(exStyle, className, title, style, x, y, cx, cy, parent, menu,
                                GetModuleHandleA(nullptr), this);
    return hwnd != nullptr;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<CWnd*>(create->lpCreateParams);
        self->m_hWnd = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CWnd*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return ::DefWindowProcA(hwnd, message, wParam, lParam);
    return self->HandleMessage(message, wParam, lParam);
}

LRESULT CWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    // Handlers may be re-entered (a handler that sends a message); keep the outer message.
    const MSG outer = m_currentMsg;
    m_currentMsg = MSG{m_hWnd, message, wParam, lParam, 0, {}};
    LRESULT result = 0;
    try {
        result = WindowProc(message, wParam, lParam);
    } catch (const CException& e) {
        e.ReportError();
    } catch (const std::exception& e) {
        MessageBoxA(m_hWnd, e.what(), "Error", MB_OK | MB_ICONERROR);
    } catch (...) {
        MessageBoxA(m_hWnd, "Unknown error", "Error", MB_OK | MB_ICONERROR);
    }
    m_currentMsg = outer;
    if (message == WM_NCDESTROY) OnNcDestroyed();
    return result;
}

void CWnd::OnNcDestroyed() {
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    // The program lives as long as its main window.
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this) {
        app->m_pMainWnd = nullptr;
        PostQuitMessage(0);
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const MessageMapEntry* entry = FindHandler(message, wParam, lParam))
        return (this->*(entry->handler))(wParam, lParam);
    return DefWindowProc(message, wParam, lParam);
}

const MessageMapEntry* CWnd::FindHandler(UINT message, WPARAM wParam, LPARAM lParam) const {
    const UINT id = LOWORD(wParam);
    // Menus send code 0 and accelerators code 1: both are the same command. Only a control
    // (lParam names it) sends notification codes of its own.
    const UINT code = lParam == 0 ? 0 : HIWORD(wParam);
    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (const MessageMapEntry* e = map->entries; e->handler; ++e) {
            if (e->message != message) continue;
            if (message == WM_COMMAND && (e->code != code || id < e->firstId || id > e->lastId))
                continue;
            return e;
        }
    }
    return nullptr;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

namespace {

// Sends WM_COMMANDHELP to a window and then to its parents and owners; TRUE once one answers.
bool AskForContextHelp(HWND hwnd) {
    for (; hwnd; hwnd = GetParent(hwnd)) {
        if (SendMessageA(hwnd, kCommandHelp, 0, 0) != 0) return true;
    }
    return false;
}

}  // namespace

LRESULT CWnd::OnHelp(WPARAM, LPARAM) {
    if (AskForContextHelp(GetCapture())) return 0;
    if (AskForContextHelp(GetFocus())) return 0;
    if (AskForContextHelp(GetLastActivePopup(GetAncestor(m_hWnd, GA_ROOT)))) return 0;
    // Nobody offered help for its context: open the help file's finder.
    SendMessageA(m_hWnd, WM_COMMAND, FW_ID_HELP_FINDER, 0);
    return 0;
}

LRESULT CWnd::OnHelpFinder(WPARAM, LPARAM) {
    CWinApp* app = AfxGetApp();
    if (!app) return 0;
    if (!WinHelpA(m_hWnd, app->HelpFilePath().c_str(), HELP_FINDER, 0))
        app->MessageBoxFromResource(FW_IDS_HELP_FAILED, MB_OK | MB_ICONEXCLAMATION);
    return 0;
}

}  // namespace fw
