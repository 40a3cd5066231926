// The store's view of the real desktop under Wine: menus read with the four USER32 calls,
// a window's application key from a process snapshot, and the bar's two messages.
#include "bar/store/win32_desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/store/identify_window.h"
#include "bar/store/scan_menu.h"
#include "bar/store/tests/win32_menus.h"
#include "resources/bar_resource.h"

namespace {

using hr::test::AddCommand;
using hr::test::AddPopup;
using hr::test::AddSeparator;
using hr::test::ScopedMenu;

std::string Joined(const CommandList& commands) {
    std::string text;
    for (const auto& command : commands) text += std::to_string(command->m_nID) + ":" + command->m_strText + " ";
    return text;
}

TEST(Win32MenuReader, ScansARealMenuBarWithItsPopups) {
    ScopedMenu bar(CreateMenu());
    HMENU file = AddPopup(bar.get(), "ファイル(&F)");
    AddCommand(file, 101, "新規(&N)\tCtrl+N");
    AddSeparator(file);
    AppendMenuA(file, MF_OWNERDRAW, 102, nullptr);
    AddCommand(file, 103, "表示(&V)\tF5");
    HMENU nested = AddPopup(file, "ツール(&T)");
    AddCommand(nested, 104, "ソース(&S)\tCtrl+U");
    EnableMenuItem(nested, 104, MF_BYCOMMAND | MF_GRAYED);  // taken whatever its state
    AddCommand(file, 105, "終了(&X)");
    Win32MenuReader reader;
    CommandList commands;
    EXPECT_EQ(ScanMenu(commands, reader, bar.get()), kScanFoundShortcuts);
    EXPECT_EQ(Joined(commands), "101:新規<Ctrl+N> 103:表示<F5> 104:ソース<Ctrl+U> ");
}

TEST(Win32MenuReader, TellsMenusWithoutTextOrShortcutsApart) {
    struct Case {
        const char* name;
        void (*build)(HMENU);
        int outcome;
    };
    const Case cases[] = {
        {"empty", [](HMENU) {}, kScanNoText},
        {"separators", [](HMENU m) { AddSeparator(m), AddSeparator(m); }, kScanNoText},
        {"owner-drawn", [](HMENU m) { AppendMenuA(m, MF_OWNERDRAW, 7, nullptr); }, kScanNoText},
        {"text only", [](HMENU m) { AddCommand(m, 7, "バージョン情報(&A)..."); }, kScanNoShortcuts},
        {"shortcut", [](HMENU m) { AddCommand(m, 7, "\tCtrl+Q"); }, kScanFoundShortcuts},
    };
    Win32MenuReader reader;
    for (const Case& c : cases) {
        ScopedMenu menu(CreatePopupMenu());
        c.build(menu.get());
        CommandList commands;
        EXPECT_EQ(ScanMenu(commands, reader, menu.get()), c.outcome) << c.name;
    }
}

TEST(Win32MenuReader, ADestroyedMenuReadsAsNoText) {
    HMENU menu = CreatePopupMenu();
    AddCommand(menu, 7, "Gone\tF1");
    DestroyMenu(menu);
    Win32MenuReader reader;
    CommandList commands;
    EXPECT_EQ(ScanMenu(commands, reader, menu), kScanNoText);
    EXPECT_TRUE(commands.empty());
}

TEST(Win32MenuReader, ReadsAtMost255BytesOfText) {
    ScopedMenu menu(CreatePopupMenu());
    const std::string text = std::string(250, 'a') + "\tCtrl+Shift+F12";
    AddCommand(menu.get(), 7, text.c_str());
    Win32MenuReader reader;
    EXPECT_EQ(reader.ItemText(menu.get(), 0), text.substr(0, 255));
}

TEST(Win32MenuReader, ReadsTheBarsOwnPopupFromItsResources) {
    ScopedMenu menu(LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_BAR_POPUP)));
    ASSERT_TRUE(menu);
    Win32MenuReader reader;
    CommandList commands;
    EXPECT_EQ(ScanMenu(commands, reader, menu.get()), kScanFoundShortcuts);
    EXPECT_EQ(Joined(commands), "57670:ヘルプ<F1> 32771:終了<Alt+F4> ");
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateWindowOfClass(const char* className) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
    return CreateWindowExA(0, className, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance,
                           nullptr);
}

TEST(IdentifyWindow, KeysAWindowByItsClassAndItsExecutablesFileName) {
    HWND first = CreateWindowOfClass("HintrailIdentifyFirst");
    HWND second = CreateWindowOfClass("HintrailIdentifySecond");
    const ApplicationKey a = IdentifyWindow(first);
    const ApplicationKey b = IdentifyWindow(second);
    EXPECT_EQ(a.className, "HintrailIdentifyFirst");
    EXPECT_EQ(b.className, "HintrailIdentifySecond");
    EXPECT_EQ(a.exeName, "store_win32_test.exe");
    EXPECT_EQ(b.exeName, a.exeName);
    DestroyWindow(first);
    DestroyWindow(second);
}

TEST(IdentifyWindow, AVanishedWindowHasAnEmptyKey) {
    HWND window = CreateWindowOfClass("HintrailIdentifyGone");
    DestroyWindow(window);
    const ApplicationKey key = IdentifyWindow(window);
    EXPECT_EQ(key.className, "");
    EXPECT_EQ(key.exeName, "");
}

TEST(IdentifyWindow, AProcessMissingFromTheSnapshotHasNoExecutable) {
    EXPECT_EQ(ProcessExePath(0xFFFFFFF0), "");
}

TEST(Win32Desktop, GivesTheBarsTwoMessagesByteForByte) {
    Win32Desktop desktop;
    EXPECT_EQ(desktop.ResourceString(IDS_MENU_UNREADABLE),
              "現在アクティブなウィンドウのメニューを読みとれませんでした。オーナードローメニュー(アイコンの表示されるメ"
              "ニューなど)は読みとることが出来ません。ツールバー形状のメニューの場合、メニューが開くまで読みとることが"
              "出来ません。");
    EXPECT_EQ(desktop.ResourceString(IDS_NO_SHORTCUTS), "このウィンドウのメニューにはショートカットキーの記述がありません。");
}

TEST(Win32Desktop, GivesTheMenuBarOfAWindow) {
    ScopedMenu bar(CreateMenu());
    AddCommand(bar.get(), 1, "A\tB");
    HWND window = CreateWindowOfClass("HintrailDesktopMenu");
    SetMenu(window, bar.get());
    Win32Desktop desktop;
    EXPECT_EQ(desktop.GetMenu(window), bar.get());
    SetMenu(window, nullptr);
    EXPECT_EQ(desktop.GetMenu(window), nullptr);
    DestroyWindow(window);
}

}  // namespace
