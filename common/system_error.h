// Texts and exceptions for failed system calls. The setup program shows the text of its
// exceptions as the whole error message; the bar program uses the system's sentence alone.
#pragma once

#include <windows.h>

#include <string>

// The system's message for code (0: GetLastError()) as FormatMessageA gives it, line end
// included, followed by "\n(エラーコード N)"; "" when the system has no message for it.
std::string SystemErrorText(DWORD code);

// The system's message for GetLastError() without the code, or "".
std::string LastErrorText();

// Throws std::runtime_error(subject + " : " + SystemErrorText(code)). With code 0, call it
// right after the failed call, before anything else can change the last error.
[[noreturn]] void ThrowSystemError(const std::string& subject, DWORD code);
