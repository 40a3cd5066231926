// What the hook window accepts as a report: the 12-byte record for one of the four messages
// (menu items after it: menu_items_test.cpp).
#include "bar/hook/report_decoding.h"

#include <gtest/gtest.h>

#include <cstring>

#include "hooklib/hook_protocol.h"

namespace {

using hr::hook::HookReport;

TEST(ReportDecoding, AcceptsTheFourMessagesAndCopiesTheRecord) {
    const HookReport record{0x00010234, 0x00020065, 0xFFFF0001};
    for (std::uint32_t message : {hr::hook::kNcActivate, hr::hook::kInitMenuPopup, hr::hook::kSetText,
                                  hr::hook::kCommand}) {
        const auto report = DecodeReport(message, sizeof(record), &record);
        ASSERT_TRUE(report) << message;
        EXPECT_EQ(report->message, message);
        EXPECT_EQ(report->window, std::uintptr_t{0x00010234});
        EXPECT_EQ(report->wParam, 0x00020065u);
        EXPECT_EQ(report->lParam, 0xFFFF0001u);
    }
}

TEST(ReportDecoding, ReadsARecordAtAnyAlignment) {
    unsigned char buffer[1 + sizeof(HookReport)] = {};
    const HookReport record{7, 8, 9};
    std::memcpy(buffer + 1, &record, sizeof(record));
    const auto report = DecodeReport(hr::hook::kCommand, sizeof(record), buffer + 1);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->window, std::uintptr_t{7});
    EXPECT_EQ(report->wParam, 8u);
    EXPECT_EQ(report->lParam, 9u);
}

TEST(ReportDecoding, SignExtendsTheWindowHandleAsWin64Does) {
    const HookReport record{0xFFFF1234, 0, 0};
    const auto report = DecodeReport(hr::hook::kNcActivate, sizeof(record), &record);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->window, static_cast<std::uintptr_t>(std::intptr_t{-0xEDCC}));
}

TEST(ReportDecoding, IgnoresWhatIsNotAReport) {
    // The buffer is bigger than any size tried, so a wrong read would not go astray either.
    const unsigned char buffer[64] = {};
    struct Case {
        const char* name;
        std::uintptr_t dwData;
        std::uint32_t cbData;
        const void* lpData;
    };
    const Case cases[] = {
        {"no data", hr::hook::kNcActivate, 0, nullptr},
        {"size 0 with data", hr::hook::kNcActivate, 0, buffer},
        {"size 4", hr::hook::kNcActivate, 4, buffer},
        {"size 11", hr::hook::kCommand, 11, buffer},
        {"size 13", hr::hook::kCommand, 13, buffer},
        {"size 13 where items may follow", hr::hook::kNcActivate, 13, buffer},
        {"size 12 but a null pointer", hr::hook::kCommand, 12, nullptr},
        {"message 0", 0, 12, buffer},
        {"WM_COPYDATA itself", 0x004A, 12, buffer},
        {"WM_ACTIVATE", 0x0006, 12, buffer},
        {"a reported message in the low word only", 0x10086, 12, buffer},
        {"all bits set", ~std::uintptr_t{0}, 12, buffer},
    };
    for (const Case& c : cases) EXPECT_FALSE(DecodeReport(c.dwData, c.cbData, c.lpData)) << c.name;
}

}  // namespace
