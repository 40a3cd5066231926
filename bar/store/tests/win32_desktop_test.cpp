// The store's view of the real desktop under Wine: menus read with the four USER32 calls,
// a window's application key from its process, and the bar's two messages.
#include "bar/store/win32_desktop.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bar/store/exe_file_name.h"
#include "bar/store/identify_window.h"
#include "bar/store/scan_menu.h"
#include "bar/store/tests/win32_menus.h"
#include "common/tests/scratch_folder.h"
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
    EXPECT_EQ(ProcessExeName(0xFFFFFFF0), "");
}

std::string FileName(const std::string& path) {
    return ExeFileName(path, [](unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; });
}

// A process of a copy of this test program, started suspended: it runs none of its code, and
// is there with its own executable until the test ends it.
class ChildProcess {
public:
    explicit ChildProcess(std::string exe) {
        STARTUPINFOA si{sizeof(si)};
        std::string cmd = "\"" + exe + "\"";
        CreateProcessA(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                       nullptr, &si, &pi_);
    }
    ~ChildProcess() {
        if (!pi_.hProcess) return;
        End();
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pi_.hProcess != nullptr; }
    DWORD Id() const { return pi_.dwProcessId; }
    // Ends the process and waits for it; the handles stay open.
    void End() {
        TerminateProcess(pi_.hProcess, 0);
        WaitForSingleObject(pi_.hProcess, 10000);
    }

private:
    PROCESS_INFORMATION pi_{};
};

// Asked of the process itself, the name is the one the snapshot gives, so the records that
// users' data files hold keep matching their programs.
TEST(IdentifyWindow, AProcessNamesItsExecutableAsTheSnapshotDoes) {
    const std::string own = QueriedExePath(GetCurrentProcessId());
    EXPECT_EQ(FileName(own), "store_win32_test.exe") << own;
    EXPECT_EQ(ProcessExeName(GetCurrentProcessId()), FileName(ProcessExePath(GetCurrentProcessId())));

    ScratchFolder folder;
    folder.MakeFolder("Hintrail Identify Test");
    const std::string name = "A Long Mixed-Case Program Name For Keys.Exe";
    const std::string copy = folder / ("Hintrail Identify Test\\" + name);
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, sizeof(self));
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    char shortPath[MAX_PATH] = {};
    ASSERT_NE(GetShortPathNameA(copy.c_str(), shortPath, sizeof(shortPath)), 0u);
    std::string lower = copy;
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    const struct {
        const char* how;
        std::string exe;
    } starts[] = {{"started as spelled", copy}, {"started by its short name", shortPath},
                  {"started in lower case", lower}};
    for (const auto& start : starts) {
        SCOPED_TRACE(start.how);
        ChildProcess child(start.exe);
        ASSERT_TRUE(child.Started()) << start.exe;
        const std::string queried = QueriedExePath(child.Id());
        EXPECT_NE(queried, "") << "the process itself answers";
        EXPECT_EQ(FileName(queried), FileName(ProcessExePath(child.Id())));
        EXPECT_EQ(ProcessExeName(child.Id()), FileName(ProcessExePath(child.Id())));
    }
    ChildProcess spelled(copy);
    ASSERT_TRUE(spelled.Started());
    EXPECT_EQ(ProcessExeName(spelled.Id()), name);

    // Ended, but still open through the test's handle: no longer in a snapshot, and not named
    // by the process either.
    spelled.End();
    EXPECT_EQ(QueriedExePath(spelled.Id()), "");
    EXPECT_EQ(ProcessExeName(spelled.Id()), FileName(ProcessExePath(spelled.Id())));
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
