#include "common/system_error.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Wine's Japanese text for code 5, as FormatMessageA gives it.
const std::string kAccessDenied = "アクセスが拒否されました。\r\n";
constexpr DWORD kCodeWithoutText = 12345;

struct TextCase {
    DWORD code;
    DWORD lastError;
    std::string text;
};

const TextCase kTextCases[] = {
    {5, 0, kAccessDenied + "\n(エラーコード 5)"},
    {0, 5, kAccessDenied + "\n(エラーコード 5)"},  // 0 stands for the last error
    {5, 2, kAccessDenied + "\n(エラーコード 5)"},
    {kCodeWithoutText, 0, ""},
    {0, kCodeWithoutText, ""},
};

TEST(SystemError, TextIsTheSystemMessageFollowedByTheCode) {
    for (const TextCase& c : kTextCases) {
        SCOPED_TRACE(testing::Message() << c.code << " last " << c.lastError);
        SetLastError(c.lastError);
        EXPECT_EQ(SystemErrorText(c.code), c.text);
    }
}

TEST(SystemError, ThrownTextNamesTheSubject) {
    for (const TextCase& c : kTextCases) {
        SCOPED_TRACE(testing::Message() << c.code << " last " << c.lastError);
        SetLastError(c.lastError);
        try {
            ThrowSystemError("C:\\ソフト\\x", c.code);
            ADD_FAILURE() << "nothing thrown";
        } catch (const std::runtime_error& e) {
            EXPECT_EQ(std::string(e.what()), "C:\\ソフト\\x : " + c.text);
        }
    }
}

TEST(SystemError, LastErrorTextHasNoCode) {
    SetLastError(5);
    EXPECT_EQ(LastErrorText(), kAccessDenied);
    SetLastError(kCodeWithoutText);
    EXPECT_EQ(LastErrorText(), "");
}

}  // namespace
