// Test side of the setup wizard, driven from outside its process as a user would: start the
// program, find its wizard and the page on show, click, focus and press buttons (posted, so the
// wizard's thread is never blocked by the driver), read states and texts, and see its boxes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace setuptest {

// The wizard's own buttons (the property sheet's control ids).
enum WizardButton : int { kBackButton = 0x3023, kNextButton = 0x3024, kFinishButton = 0x3025 };

class SetupProcess {
public:
    SetupProcess() = default;
    SetupProcess(const SetupProcess&) = delete;
    SetupProcess& operator=(const SetupProcess&) = delete;
    ~SetupProcess();  // ends a program that is still running

    // Starts the program (from the test program's folder) with the command-line arguments and
    // waits for its wizard to show a page.
    bool Start(const std::string& program, const std::string& arguments);
    bool WaitForExit(DWORD* exitCode);

    HWND Sheet() const { return sheet_; }
    HWND Page() const;
    // The dialog id of the page on show, or 0.
    int PageId() const;
    bool WaitForPage(int dialogId) const;

    HWND Control(int controlId) const { return GetDlgItem(Page(), controlId); }
    bool IsChecked(int controlId) const;
    bool IsEnabled(int controlId) const { return IsWindowEnabled(Control(controlId)) != FALSE; }
    std::string Text(int controlId) const;
    std::string Explanation() const;  // the text of static 24000
    // Waits until the explanation shows the text.
    bool WaitForExplanation(const std::string& text) const;
    // The sheet's Back, Next or Finish button is enabled (the buttons come posted).
    bool WaitForButtonEnabled(int button, bool enabled) const;

    // A click on a control of the page on show. Never on a greyed one: it hangs Wine's wizard.
    void Click(int controlId) const;
    // Moves the focus to a control, as the Tab key would.
    void Focus(int controlId) const;
    void SetText(int controlId, const std::string& text) const;
    // Posts PSM_PRESSBUTTON (PSBTN_BACK, PSBTN_NEXT, PSBTN_FINISH, PSBTN_CANCEL).
    void Press(int psbtn) const;
    // Presses and waits for the page to change to the expected one.
    bool Go(int psbtn, int expectedPageId) const;

    // A message box of the program: waits for it, reads it and closes it with OK.
    struct Box {
        std::string caption;
        std::string text;
    };
    bool CloseMessageBox(Box* box) const;
    // A window of the program other than the wizard with this class name, shown, or null.
    HWND FindOwnWindow(const char* className, HWND except = nullptr) const;

    DWORD ProcessId() const { return process_.dwProcessId; }
    // The text of an item of a tree view of the program, read through its memory.
    std::string TreeItemText(HWND tree, HTREEITEM item) const;

private:
    PROCESS_INFORMATION process_{};
    HWND sheet_ = nullptr;
};

// Writes what the screen shows of the window as a 24-bit BMP file.
bool SaveWindowShot(HWND window, const std::string& path);

}  // namespace setuptest
