// A device context for WM_PAINT: BeginPaint on construction, EndPaint on destruction.
#pragma once

#include <windows.h>

namespace fw {

class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : m_hWnd(hwnd) { m_hDC = BeginPaint(hwnd, &m_ps); }
    ~CPaintDC() { EndPaint(m_hWnd, &m_ps); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;

    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps{};
    HDC m_hDC;
};

}  // namespace fw
