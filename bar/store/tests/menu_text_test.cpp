// The display text of a command, from its menu item's text. The literals are Shift-JIS bytes,
// as the menus give them.
#include <gtest/gtest.h>

#include "bar/store/cs_command.h"

namespace {

struct Case {
    const char* menuText;
    const char* display;
};

const Case kCases[] = {
    {"終了(&X)\tAlt+F4", "終了<Alt+F4>"},
    {"ヘルプ(&H)\tF1", "ヘルプ<F1>"},
    {"&Open...\tCtrl+O", "&Open...<Ctrl+O>"},                // '&' without parentheses stays
    {"\tCtrl+A", "<Ctrl+A>"},                                // empty caption
    {"A\tB\tC", "A<B<C>"},                                   // every TAB
    {"(&N)新規\tCtrl+N", "新規<Ctrl+N>"},                    // group at the start
    {"元に戻す\tCtrl+Z(&U)", "元に戻す<Ctrl+Z>"},            // group at the very end
    {"A(&B)C(&D)\tE", "AC(&D)<E>"},                          // only the first group goes
    {"A(&xy)B(&C)\tD", "A(&xy)B(&C)<D>"},                    // only the first "(&" is looked at
    {"Foo(&)\tF", "Foo(&)<F>"},                              // nothing between '&' and ')'
    {"Foo\tF(&", "Foo<F(&>"},                                // "(&" at the end
    {"Foo\tF(&x", "Foo<F(&x>"},                              // one byte, then the end
    {"ﾌｧｲﾙ(&ｱ)\tF2", "ﾌｧｲﾙ<F2>"},                            // a one-byte katakana mnemonic
    {"ファイル(&ア)\tF2", "ファイル(&ア)<F2>"},              // a two-byte one is no group
    // 0x5C trail bytes ("表" 95 5C, "ソ" 83 5C) are copied as they are.
    {"表示(&V)\tCtrl+\\", "表示<Ctrl+\\>"},
    {"ソース(&S)\tF7", "ソース<F7>"},
    {"能力表\t表", "能力表<表>"},
};

TEST(CommandText, DropsTheFirstMnemonicGroupAndBracketsTheKey) {
    for (const Case& c : kCases) {
        CSgCommand command;
        command.SetFromMenuItem(0xE123, c.menuText);
        EXPECT_EQ(command.m_strText, c.display) << c.menuText;
        EXPECT_EQ(command.m_nID, 0xE123u);
    }
}

TEST(CommandText, IsTheBytesOfTheMenuText) {
    CSgCommand command;
    command.SetFromMenuItem(1, "\x95\x5C\x8E\xA6(&V)\t\x83\x5C");
    EXPECT_EQ(command.m_strText, "\x95\x5C\x8E\xA6<\x83\x5C>");
}

TEST(CommandText, KeepsTheLongestMenuText) {
    const std::string caption(250, 'a');
    CSgCommand command;
    command.SetFromMenuItem(7, caption + "\tF12");
    EXPECT_EQ(command.m_strText, caption + "<F12>");
}

TEST(CommandText, ReplacesWhatWasThere) {
    CSgCommand command;
    command.SetFromMenuItem(1, "Old\tF1");
    command.SetFromMenuItem(2, "New\tF2");
    EXPECT_EQ(command.m_nID, 2u);
    EXPECT_EQ(command.m_strText, "New<F2>");
}

}  // namespace
