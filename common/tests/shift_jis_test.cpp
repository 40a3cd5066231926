#include "common/shift_jis.h"

#include <windows.h>

#include <gtest/gtest.h>

TEST(ShiftJis, LeadBytesAreThoseOfCodePage932) {
    for (unsigned byte = 0; byte < 256; ++byte) {
        EXPECT_EQ(IsShiftJisLeadByte(static_cast<unsigned char>(byte)),
                  IsDBCSLeadByteEx(932, static_cast<BYTE>(byte)) != FALSE)
            << byte;
    }
}
