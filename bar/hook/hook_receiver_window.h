// The hidden window that the hook library finds by class and title and sends its reports to.
// Creating it switches the library's hooks on, destroying it switches them off; its extra
// bytes at offset 4 hold the tracked window, which the library reads.
#pragma once

#include "bar/hook/plain_window.h"

class HookWindow;

class HookReceiverWindow : public PlainWindow {
public:
    explicit HookReceiverWindow(HookWindow& owner) : m_owner(owner) {}

    HWND TrackedWindow() const;
    void SetTrackedWindow(HWND window);

protected:
    void GetCreateParams(LPCSTR& className, LPCSTR& windowName, DWORD& style, DWORD& exStyle, int& x, int& y,
                         int& width, int& height, HWND& parent, HMENU& menu, HINSTANCE& instance) override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HookWindow& m_owner;
};
