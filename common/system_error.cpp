#include "common/system_error.h"

#include <stdexcept>

#include "common/win_handles.h"

namespace {

// The system's message for code in the user's language, or "".
std::string SystemMessage(DWORD code) {
    ScopedLocalText buffer;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, nullptr, code,
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT),
                       reinterpret_cast<char*>(buffer.Receive()), 0, nullptr);
    if (length == 0) return {};
    return std::string(buffer.Get(), length);
}

}  // namespace

std::string SystemErrorText(DWORD code) {
    if (code == 0) code = GetLastError();
    const std::string message = SystemMessage(code);
    if (message.empty()) return {};
    // Signed, so that an HRESULT reads as the negative number its documentation gives.
    return message + "\n(エラーコード " + std::to_string(static_cast<LONG>(code)) + ")";
}

std::string LastErrorText() { return SystemMessage(GetLastError()); }

void ThrowSystemError(const std::string& subject, DWORD code) {
    const std::string text = SystemErrorText(code);  // first, while the last error is intact
    throw std::runtime_error(subject + " : " + text);
}
