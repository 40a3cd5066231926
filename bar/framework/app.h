// The application object: one global instance, created before the entry function runs. The
// entry function calls InitInstance, runs the message loop while the main window lives, and
// returns ExitInstance's code.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class CWnd;

class CWinApp {
public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Builds the program; FALSE ends it at once.
    virtual BOOL InitInstance() = 0;
    // Runs after the message loop (or after a failed InitInstance); returns the exit code.
    virtual int ExitInstance();

    // Profile values live under HKEY_CURRENT_USER\Software\<company>\<application name>.
    void SetRegistryKey(const char* company);
    UINT GetProfileInt(const char* section, const char* entry, int defaultValue) const;
    BOOL WriteProfileInt(const char* section, const char* entry, int value) const;

    const std::string& AppName() const { return m_strAppName; }
    // The program's own path with its extension replaced by ".HLP".
    const std::string& HelpFilePath() const { return m_strHelpPath; }
    // A message box with a string resource, captioned with the application name.
    int MessageBoxFromResource(UINT stringId, UINT type) const;
    int MessageBox(const std::string& text, UINT type) const;

    // The framework's entry: what WinMain does.
    int Run();

    CWnd* m_pMainWnd = nullptr;

protected:
    // The code the program ends with when InitInstance fails.
    int m_nFailureExitCode = 0;

private:
    int MessageLoop();

    std::string m_strAppName;
    std::string m_strRegistryKey;  // empty until SetRegistryKey
    std::string m_strHelpPath;
};

CWinApp* AfxGetApp();
std::string LoadResourceString(UINT id);

}  // namespace fw
