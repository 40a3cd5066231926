// One Win32 window owned by one object, without the framework: the hook window is built on it.
// The window class reserves 4 extra bytes before the subclass's own, so a subclass's first slot
// is at offset 4. The object's address is kept at offset 0 on i686; on x86_64 it needs 8 bytes
// and offset 4 is taken, so it goes to the window's user data there and offset 0 stays unused.
#pragma once

#include <windows.h>

class PlainWindow {
public:
    PlainWindow() = default;
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;
    // A window still alive is destroyed without its messages reaching the object.
    virtual ~PlainWindow();

    // Asks GetCreateParams and creates the window; throws std::runtime_error with the system's
    // text on failure.
    void Create();
    // Destroys the window; throws std::runtime_error with the system's text on failure.
    void Destroy();

    HWND Handle() const { return m_hWnd; }

protected:
    // The caller pre-sets: no class, "" title, styles 0, CW_USEDEFAULT position and size, no
    // parent, no menu, the program's instance.
    virtual void GetCreateParams(LPCSTR& className, LPCSTR& windowName, DWORD& style, DWORD& exStyle, int& x,
                                 int& y, int& width, int& height, HWND& parent, HMENU& menu,
                                 HINSTANCE& instance) = 0;
    // May throw: a standard exception is shown in a message box captioned "Error".
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // Registers a class served by PlainWindow objects, unless it exists already; extraBytes
    // are the subclass's own. Throws std::runtime_error with the system's text on failure.
    static void RegisterWindowClass(LPCSTR className, HINSTANCE instance, UINT style, HICON icon,
                                    HICON smallIcon, int extraBytes, int classExtraBytes, HCURSOR cursor,
                                    HBRUSH background, LPCSTR menuName);

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND m_hWnd = nullptr;
};
