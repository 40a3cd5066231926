// The bench must give our programs what a Japanese Windows gives them.
#include <windows.h>

#include <gtest/gtest.h>

TEST(Platform, AnsiCodePageIsShiftJis) { EXPECT_EQ(GetACP(), 932u); }

TEST(Platform, LiteralsAreShiftJisBytes) {
  // "表示" has a 0x5C trail byte, which must survive compilation.
  EXPECT_STREQ("表示", "\x95\x5C\x8E\xA6");
}
