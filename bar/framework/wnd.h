// Windows with per-class message maps. A derived class lists the messages it handles in a
// static table; dispatch searches the class's own table first, then its bases', and messages
// nobody lists go to the window class's default procedure.
#pragma once

#include <windows.h>

namespace fw {

class CWnd;
using MsgHandler = LRESULT (CWnd::*)(WPARAM, LPARAM);

struct MessageMapEntry {
    UINT message;
    UINT code;     // notification code, for WM_COMMAND entries
    UINT firstId;  // command id range, for WM_COMMAND entries
    UINT lastId;
    MsgHandler handler;
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries;  // ends with an entry whose handler is null
};

// Builds a table entry from a handler of a class derived from CWnd.
template <class T>
constexpr MessageMapEntry OnMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {message, 0, 0, 0, static_cast<MsgHandler>(handler)};
}
template <class T>
constexpr MessageMapEntry OnCommand(UINT id, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {WM_COMMAND, 0, id, id, static_cast<MsgHandler>(handler)};
}
constexpr MessageMapEntry EndOfMessageMap() { return {0, 0, 0, 0, nullptr}; }

// In the class: FW_DECLARE_MESSAGE_MAP(). In its source file:
//   const fw::MessageMapEntry C::messageEntries[] = {fw::OnMessage(WM_PAINT, &C::OnPaint), ...,
//                                                    fw::EndOfMessageMap()};
//   const fw::MessageMap C::messageMap = {&Base::messageMap, C::messageEntries};
#define FW_DECLARE_MESSAGE_MAP()                                                     \
public:                                                                              \
    static const ::fw::MessageMapEntry messageEntries[];                             \
    static const ::fw::MessageMap messageMap;                                        \
    const ::fw::MessageMap* GetMessageMap() const override { return &messageMap; }  \
                                                                                     \
private:

class CWnd {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    virtual ~CWnd();

    HWND GetSafeHwnd() const { return m_hWnd; }

    // Registers a window class whose windows are served by CWnd objects (lpfnWndProc is set).
    static ATOM RegisterClass(WNDCLASSA wc);
    // Creates the window; this object receives its messages from WM_NCCREATE on.
    BOOL CreateEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                  int y, int cx, int cy, HWND parent, HMENU menu);
    BOOL DestroyWindow();

    // Gives the window a look at a message before it is dispatched; TRUE takes it.
    virtual BOOL PreTranslateMessage(MSG* msg);

    static const MessageMapEntry messageEntries[];
    static const MessageMap messageMap;
    virtual const MessageMap* GetMessageMap() const { return &messageMap; }

    HWND m_hWnd = nullptr;

protected:
    // Every message of the window passes here; the default searches the message maps.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window class's own procedure for the message being handled now.
    LRESULT Default();
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Help routing: asks the windows around for WM_COMMANDHELP, then opens the help finder.
    LRESULT OnHelp(WPARAM, LPARAM);
    LRESULT OnHelpFinder(WPARAM, LPARAM);

private:
    static LRESULT CALLBACK StaticWndProc(HWND, UINT, WPARAM, LPARAM) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    const MessageMapEntry* FindHandler(UINT message, WPARAM wParam, LPARAM lParam) const;
    void OnNcDestroyed();

    MSG m_currentMsg{};
};

}  // namespace fw
