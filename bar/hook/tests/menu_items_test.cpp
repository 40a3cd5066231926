// Menu items carried by a report: what the library's walk writes for a menu, what the hook
// window reads back from it, and the payloads it refuses whole.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "bar/hook/report_decoding.h"
#include "bar/hook/tests/table_menus.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/menu_items_writer.h"

namespace {

using namespace hr::hook;
using hook_sample::TableItem;
using hook_sample::TableMenus;

// The report of a popup of `menu` as the library sends it: the record, then the items.
std::vector<unsigned char> PopupReport(TableMenus& menus, int menu) {
    std::vector<unsigned char> bytes(
        sizeof(HookReport) + MenuItemsWriter<TableMenus, int>::kBufferBytes, 0xCC);
    const HookReport record{0x1234, static_cast<std::uint32_t>(menu), 2};
    std::memcpy(bytes.data(), &record, sizeof(record));
    const std::uint32_t size =
        MenuItemsWriter<TableMenus, int>(menus, bytes.data() + sizeof(record)).Write(menu);
    bytes.resize(sizeof(record) + size);
    return bytes;
}

std::optional<DecodedReport> Decode(const std::vector<unsigned char>& bytes,
                                    std::uint32_t message = kInitMenuPopup) {
    return DecodeReport(message, static_cast<std::uint32_t>(bytes.size()), bytes.data());
}

// The tree in one line: id "text" {popup} ...
std::string Outline(const ReportedMenu& menu) {
    std::string line;
    for (const ReportedMenuItem& item : menu) {
        line += std::to_string(static_cast<std::int32_t>(item.id)) + " \"" + item.text + "\"";
        if (!item.popup.empty()) line += " {" + Outline(item.popup) + "}";
        line += " ";
    }
    return line;
}

TEST(MenuItems, AMenuBarWithPopupsArrivesAsItsTree) {
    TableMenus menus;
    const int edit =
        menus.Add({{0x301, "元に戻す(&U)\tCtrl+Z"}, {0, ""}, {0x302, "切り取り(&T)\tCtrl+X"}});
    const int recent = menus.Add({{0x201, "1 a.txt"}});
    const int file =
        menus.Add({{0x101, "開く(&O)...\tCtrl+O"}, {kNoCommandId, "最近(&R)", recent}});
    const int bar = menus.Add({{kNoCommandId, "ファイル(&F)", file},
                               {kNoCommandId, "編集(&E)", edit},
                               {0x401, "ヘルプ"}});

    const auto report = Decode(PopupReport(menus, bar));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->window, std::uintptr_t{0x1234});
    ASSERT_TRUE(report->menu);
    // Popup entries travel without their text: the scan reads only command items' texts.
    EXPECT_EQ(Outline(*report->menu),
              "-1 \"\" {257 \"開く(&O)...\tCtrl+O\" -1 \"\" {513 \"1 a.txt\" } } "
              "-1 \"\" {769 \"元に戻す(&U)\tCtrl+Z\" 0 \"\" 770 \"切り取り(&T)\tCtrl+X\" } 1025 "
              "\"ヘルプ\" ");
}

TEST(MenuItems, TextsAreCutAt255BytesAsTheScanCutsThem) {
    TableMenus menus;
    const std::string longText = std::string(300, 'a') + "\tCtrl+L";
    const int menu = menus.Add({{1, longText}, {2, std::string(255, 'b')}});
    const auto report = Decode(PopupReport(menus, menu));
    ASSERT_TRUE(report && report->menu);
    ASSERT_EQ(report->menu->size(), 2u);
    EXPECT_EQ((*report->menu)[0].text, std::string(255, 'a'));
    EXPECT_EQ((*report->menu)[1].text, std::string(255, 'b'));
}

TEST(MenuItems, AnInvalidOrEmptyMenuArrivesAsNoItems) {
    TableMenus menus;
    const int empty = menus.Add({});
    for (int menu : {empty, 99}) {
        const auto report = Decode(PopupReport(menus, menu));
        ASSERT_TRUE(report && report->menu) << menu;
        EXPECT_TRUE(report->menu->empty()) << menu;
    }
}

TEST(MenuItems, AMenuThatHoldsItselfStopsAtTheDeepestLevel) {
    TableMenus menus;
    const int loop = menus.Add({{7, "x\tF7"}, {kNoCommandId, "", 0}});
    menus.Items(loop)[1].popup = loop;
    const auto bytes = PopupReport(menus, loop);
    const auto report = Decode(bytes);
    ASSERT_TRUE(report && report->menu);
    int levels = 0;
    for (const ReportedMenu* level = &*report->menu; !level->empty(); level = &level->back().popup)
        ++levels;
    EXPECT_EQ(levels, static_cast<int>(kMaxMenuDepth));
}

TEST(MenuItems, AHugeMenuStopsAtTheMostItemsAndStillFitsTheLargestReport) {
    TableMenus menus;
    std::vector<TableItem> items;
    for (std::uint32_t id = 1; id <= 2000; ++id) items.push_back({id, std::string(300, 'm')});
    const int menu = menus.Add(items);
    const auto bytes = PopupReport(menus, menu);
    EXPECT_EQ(bytes.size(), std::size_t{kMaxReportBytes});
    const auto report = Decode(bytes);
    ASSERT_TRUE(report && report->menu);
    EXPECT_EQ(report->menu->size(), std::size_t{kMaxMenuItems});
    EXPECT_EQ(report->menu->back().id, kMaxMenuItems);
}

// A payload byte by byte: the record, then the header and items given.
struct Payload {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(sizeof(HookReport), 0);
    Payload& U32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>(v >> shift));
        return *this;
    }
    Payload& Header(std::uint32_t count) { return U32(kMenuItemsFormat).U32(count); }
    Payload& Item(std::uint32_t id, unsigned depth, const std::string& text) {
        U32(id);
        bytes.push_back(static_cast<unsigned char>(depth));
        bytes.push_back(static_cast<unsigned char>(text.size()));
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
};

TEST(MenuItems, ReadsAPayloadWrittenByHandAtAnyAlignment) {
    const auto bytes =
        Payload().Header(3).Item(kNoCommandId, 0, "").Item(5, 1, "a\tF5").Item(6, 0, "b").bytes;
    std::vector<unsigned char> shifted(bytes.size() + 1);
    std::memcpy(shifted.data() + 1, bytes.data(), bytes.size());
    const auto report =
        DecodeReport(kNcActivate, static_cast<std::uint32_t>(bytes.size()), shifted.data() + 1);
    ASSERT_TRUE(report && report->menu);
    EXPECT_EQ(Outline(*report->menu), "-1 \"\" {5 \"a\tF5\" } 6 \"b\" ");
}

TEST(MenuItems, RefusesAnInconsistentPayloadWhole) {
    struct Case {
        const char* name;
        std::vector<unsigned char> bytes;
        std::uint32_t message = kInitMenuPopup;
    };
    auto tooLong = Payload().Header(0).bytes;
    tooLong.resize(kMaxReportBytes + 1);
    const Case cases[] = {
        {"a header cut short", Payload().U32(kMenuItemsFormat).bytes},
        {"another format", Payload().U32(kMenuItemsFormat + 1).U32(0).bytes},
        {"more items than a report carries", Payload().Header(kMaxMenuItems + 1).bytes},
        {"fewer items than counted", Payload().Header(2).Item(1, 0, "a").bytes},
        {"more items than counted", Payload().Header(1).Item(1, 0, "a").Item(2, 0, "b").bytes},
        {"bytes after the last item", Payload().Header(1).Item(1, 0, "a").U32(0).bytes},
        {"a text cut short",
         [] {
             auto b = Payload().Header(1).Item(1, 0, "abc").bytes;
             b.pop_back();
             return b;
         }()},
        {"an item head cut short",
         [] {
             auto b = Payload().Header(1).Item(1, 0, "").bytes;
             b.pop_back();
             return b;
         }()},
        {"a first item of depth 1", Payload().Header(1).Item(1, 1, "a").bytes},
        {"a level skipped", Payload().Header(2).Item(kNoCommandId, 0, "").Item(1, 2, "a").bytes},
        {"a level below the deepest",
         [] {
             Payload p;
             p.Header(kMaxMenuDepth + 1);
             for (unsigned depth = 0; depth <= kMaxMenuDepth; ++depth)
                 p.Item(kNoCommandId, depth, "");
             return p.bytes;
         }()},
        {"a popup entry with a text", Payload().Header(1).Item(kNoCommandId, 0, "File").bytes},
        {"a text holding a terminator",
         Payload().Header(1).Item(1, 0, std::string("a\0b", 3)).bytes},
        {"larger than the largest report", tooLong},
        {"items with a command report", Payload().Header(0).bytes, kCommand},
        {"items with a title report", Payload().Header(0).bytes, kSetText},
    };
    for (const Case& c : cases) EXPECT_FALSE(Decode(c.bytes, c.message)) << c.name;
}

TEST(MenuItems, TheDeepestLevelItselfIsRead) {
    Payload p;
    p.Header(kMaxMenuDepth);
    for (unsigned depth = 0; depth < kMaxMenuDepth; ++depth) p.Item(kNoCommandId, depth, "");
    EXPECT_TRUE(Decode(p.bytes));
}

}  // namespace
