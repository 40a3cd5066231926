#include "bar/hook/hook_window.h"

#include <cstdint>
#include <exception>

#include "bar/framework/exception.h"
#include "bar/hook/hook_receiver_window.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/hrdll.h"

HookWindow::HookWindow() : m_pReceiver(std::make_unique<HookReceiverWindow>(*this)) { m_pReceiver->Create(); }

HookWindow::~HookWindow() {
    if (!m_pReceiver->Handle()) return;
    try {
        m_pReceiver->Destroy();
    } catch (const std::exception&) {
        // Nothing to tell at this point; the receiver's own destructor tries once more, but
        // the window's WM_DESTROY, which switches the hooks off, may never come: switch them
        // off here, or they would stay on in every process until the program ends.
        HintrailDLL_Setup(FALSE);
    }
}

HWND HookWindow::GetSafeHwnd() const { return m_pReceiver->Handle(); }

HWND HookWindow::TrackedWindow() const { return m_pReceiver->TrackedWindow(); }

void HookWindow::OnReport(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                          const ReportedMenu* menu) noexcept {
    try {
        switch (message) {
        case WM_NCACTIVATE:
            // Written first: the library reports menu events of the new window from now on.
            m_pReceiver->SetTrackedWindow(window);
            if (m_pStore) m_pStore->OnActivate(window, menu);
            break;
        case WM_INITMENUPOPUP:
            if (!m_pShadow) break;
            m_pShadow->OnInitMenuPopup(
                reinterpret_cast<HMENU>(hr::hook::HandleFrom32(static_cast<std::uint32_t>(wParam))), menu,
                LOWORD(lParam), HIWORD(lParam) != 0);
            break;
        case WM_COMMAND:
            if (m_pShadow) m_pShadow->OnCommand(wParam, HIWORD(wParam));
            break;
        default:
            break;
        }
    } catch (const fw::CException& e) {
        e.ReportError();
    } catch (const std::exception& e) {
        MessageBoxA(window, e.what(), "Error", MB_ICONERROR);
    } catch (...) {
        // The report still counts as handled; the reporting program must be released.
    }
}
