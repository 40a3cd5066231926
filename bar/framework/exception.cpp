#include "bar/framework/exception.h"

#include "bar/framework/app.h"

namespace fw {

void CException::ReportError() const {
    if (CWinApp* app = AfxGetApp()) {
        app->MessageBox(m_strMessage, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    MessageBoxA(nullptr, m_strMessage.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace fw
