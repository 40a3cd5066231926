// Scanning menus into a record's commands, over menus given as tables.
#include "bar/store/scan_menu.h"

#include <gtest/gtest.h>

#include "bar/store/tests/fake_desktop.h"

namespace {

using fake::Command;
using fake::OwnerDrawn;
using fake::Popup;
using fake::Separator;

std::vector<std::string> Texts(const CommandList& commands) {
    std::vector<std::string> texts;
    for (const auto& command : commands) texts.push_back(std::to_string(command->m_nID) + " " + command->m_strText);
    return texts;
}

TEST(ScanMenu, OutcomeTellsWhetherTextAndShortcutsWereSeen) {
    struct Case {
        const char* name;
        std::vector<fake::Item> items;
        int outcome;
    };
    const Case cases[] = {
        {"empty menu", {}, kScanNoText},
        {"separators only", {Separator(), Separator()}, kScanNoText},
        {"owner-drawn items only", {OwnerDrawn(10), OwnerDrawn(11)}, kScanNoText},
        {"text without TAB", {Command(10, "開く(&O)..."), Separator()}, kScanNoShortcuts},
        {"text with TAB", {Command(10, "開く(&O)...\tCtrl+O")}, kScanFoundShortcuts},
        {"TAB after text without", {Command(10, "About"), Command(11, "Open\tCtrl+O")}, kScanFoundShortcuts},
        {"text without after TAB", {Command(11, "Open\tCtrl+O"), Command(10, "About")}, kScanFoundShortcuts},
        {"owner-drawn beside text", {OwnerDrawn(10), Command(11, "About")}, kScanNoShortcuts},
    };
    for (const Case& c : cases) {
        fake::Menus menus;
        CommandList commands;
        EXPECT_EQ(ScanMenu(commands, menus, menus.Add(c.items)), c.outcome) << c.name;
    }
}

TEST(ScanMenu, AnInvalidHandleIsAMenuWithoutText) {
    fake::Menus menus;
    CommandList commands;
    EXPECT_EQ(ScanMenu(commands, menus, reinterpret_cast<MenuHandle>(0x77)), kScanNoText);
    EXPECT_EQ(ScanMenu(commands, menus, nullptr), kScanNoText);
    EXPECT_TRUE(commands.empty());
}

TEST(ScanMenu, CollectsTabItemsOfAllPopupsInMenuOrder) {
    fake::Menus menus;
    MenuHandle recent = menus.Add({Command(301, "1 a.txt"), Command(302, "2 b.txt\tCtrl+1")});
    MenuHandle file = menus.Add({Command(101, "新規(&N)\tCtrl+N"), Popup("最近(&R)", recent), Separator(),
                                 Command(102, "終了(&X)\tAlt+F4")});
    MenuHandle edit = menus.Add({Command(201, "元に戻す(&U)\tCtrl+Z"), Command(202, "検索(&F)...")});
    MenuHandle bar = menus.Add({Popup("ファイル(&F)", file), Popup("編集(&E)", edit)});
    CommandList commands;
    EXPECT_EQ(ScanMenu(commands, menus, bar), kScanFoundShortcuts);
    const std::vector<std::string> expected{"101 新規<Ctrl+N>", "302 2 b.txt<Ctrl+1>", "102 終了<Alt+F4>",
                                            "201 元に戻す<Ctrl+Z>"};
    EXPECT_EQ(Texts(commands), expected);
}

TEST(ScanMenu, AMenuThatHoldsItselfEndsTheScan) {
    fake::Menus menus;
    MenuHandle loop = menus.Add({Command(101, "新規(&N)\tCtrl+N")});
    menus.Items(loop).push_back(Popup("again", loop));
    CommandList commands;
    EXPECT_EQ(ScanMenu(commands, menus, loop), kScanFoundShortcuts);
    const std::vector<std::string> expected{"101 新規<Ctrl+N>"};
    EXPECT_EQ(Texts(commands), expected);
}

TEST(ScanMenu, TheDeepestPopupDecidesTheOutcomeToo) {
    fake::Menus menus;
    MenuHandle deep = menus.Add({Command(5, "Deep\tF5")});
    MenuHandle middle = menus.Add({Popup("More", deep)});
    MenuHandle top = menus.Add({Command(1, "Plain"), Popup("Sub", middle)});
    CommandList commands;
    EXPECT_EQ(ScanMenu(commands, menus, top), kScanFoundShortcuts);
    EXPECT_EQ(Texts(commands), std::vector<std::string>{"5 Deep<F5>"});
}

TEST(ScanMenu, AnItemWithBothACommandAndAPopupIsReadAsBoth) {
    fake::Menus menus;
    MenuHandle sub = menus.Add({Command(2, "Inner\tF2")});
    MenuHandle top = menus.Add({fake::Item{1, "Outer\tF1", sub}});
    CommandList commands;
    ScanMenu(commands, menus, top);
    EXPECT_EQ(Texts(commands), (std::vector<std::string>{"1 Outer<F1>", "2 Inner<F2>"}));
}

TEST(ScanMenu, ReplacesAKnownIdentifierInPlaceAndAppendsNewOnes) {
    fake::Menus menus;
    CommandList commands;
    ScanMenu(commands, menus, menus.Add({Command(1, "A\tF1"), Command(2, "B\tF2"), Command(3, "C\tF3")}));
    ScanMenu(commands, menus, menus.Add({Command(4, "D\tF4"), Command(2, "B2\tCtrl+B")}));
    EXPECT_EQ(Texts(commands), (std::vector<std::string>{"1 A<F1>", "2 B2<Ctrl+B>", "3 C<F3>", "4 D<F4>"}));
}

TEST(ScanMenu, ScanningTheSameMenuAgainAddsNothing) {
    fake::Menus menus;
    MenuHandle menu = menus.Add({Command(1, "A\tF1"), Command(2, "B\tF2")});
    CommandList commands;
    ScanMenu(commands, menus, menu);
    EXPECT_EQ(ScanMenu(commands, menus, menu), kScanFoundShortcuts);
    EXPECT_EQ(Texts(commands), (std::vector<std::string>{"1 A<F1>", "2 B<F2>"}));
}

TEST(ScanMenu, OneIdentifierInTwoMenusIsOneCommandWithTheTextReadLast) {
    fake::Menus menus;
    MenuHandle first = menus.Add({Command(9, "Copy\tCtrl+C")});
    MenuHandle second = menus.Add({Command(9, "コピー\tCtrl+C")});
    MenuHandle bar = menus.Add({Popup("Edit", first), Popup("Context", second)});
    CommandList commands;
    ScanMenu(commands, menus, bar);
    EXPECT_EQ(Texts(commands), std::vector<std::string>{"9 コピー<Ctrl+C>"});
}

TEST(ScanMenu, MatchesIdentifiersOnAll32Bits) {
    fake::Menus menus;
    CommandList commands;
    ScanMenu(commands, menus, menus.Add({Command(0x10005, "High\tF1"), Command(0x0005, "Low\tF2")}));
    EXPECT_EQ(Texts(commands), (std::vector<std::string>{"65541 High<F1>", "5 Low<F2>"}));
}

}  // namespace
