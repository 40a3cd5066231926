#include "bar/framework/app.h"

#include "bar/framework/framework_ids.h"
#include "bar/framework/profile.h"
#include "bar/framework/wnd.h"

namespace fw {

namespace {
CWinApp* g_app = nullptr;

std::string ModulePath() {
    char path[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
    return std::string(path, n);
}

// The help file is the program itself with ".HLP" in place of its extension.
std::string HelpPathFor(std::string module) {
    std::string::size_type dot = module.find_last_of('.');
    std::string::size_type slash = module.find_last_of("\\/");
    if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) module.erase(dot);
    return module + ".HLP";
}
}  // namespace

CWinApp* AfxGetApp() { return g_app; }

std::string LoadResourceString(UINT id) {
    // LoadStringA copies at most the buffer; the longest string of ours is well below this.
    char text[1024] = {};
    int n = LoadStringA(GetModuleHandleA(nullptr), id, text, sizeof(text));
    return std::string(text, n > 0 ? n : 0);
}

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

int CWinApp::ExitInstance() { return 0; }

void CWinApp::SetRegistryKey(const char* company) {
    m_strRegistryKey = std::string("Software\\") + company + "\\" + m_strAppName;
}

UINT CWinApp::GetProfileInt(const char* section, const char* entry, int defaultValue) const {
    return ReadProfileDword(m_strRegistryKey, section, entry, static_cast<DWORD>(defaultValue));
}

BOOL CWinApp::WriteProfileInt(const char* section, const char* entry, int value) const {
    return WriteProfileDword(m_strRegistryKey, section, entry, static_cast<DWORD>(value));
}

int CWinApp::MessageBox(const std::string& text, UINT type) const {
    HWND owner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    return ::MessageBoxA(owner, text.c_str(), m_strAppName.c_str(), type);
}

int CWinApp::MessageBoxFromResource(UINT stringId, UINT type) const {
    return MessageBox(LoadResourceString(stringId), type);
}

int CWinApp::Run() {
    m_strAppName = LoadResourceString(FW_IDS_APP_NAME);
    m_strHelpPath = HelpPathFor(ModulePath());
    if (!InitInstance()) {
        ExitInstance();
        return m_nFailureExitCode;
    }
    int code = MessageLoop();
    int exitCode = ExitInstance();
    return exitCode ? exitCode : code;
}

int CWinApp::MessageLoop() {
    MSG msg{};
    for (;;) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return -1;
        // The main window sees keyboard messages first, for its accelerators.
        if (m_pMainWnd && m_pMainWnd->PreTranslateMessage(&msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

}  // namespace fw
