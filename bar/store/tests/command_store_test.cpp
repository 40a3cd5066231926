// The store and its records over a fake desktop: which record a window gets, what the bar is
// told, and how chosen commands move.
#include "bar/store/command_store.h"

#include <gtest/gtest.h>

#include "bar/store/tests/fake_desktop.h"

namespace {

using fake::Command;
using fake::Popup;

const ApplicationKey kEditor{"EditorFrame", "editor.exe"};

class Store : public ::testing::Test {
protected:
    Store() {
        app.hookWindow = &hookWindow;
        auto owned = std::make_unique<fake::Desktop>();
        desktop = owned.get();
        store = std::make_unique<CommandStore>(app, std::move(owned));
    }

    // A window of the editor whose menu bar has a File popup with shortcuts.
    WindowHandle EditorWithMenu() {
        MenuHandle file = desktop->menus.Add({Command(1, "新規(&N)\tCtrl+N"), Command(2, "開く(&O)...\tCtrl+O"),
                                              Command(3, "上書き保存(&S)\tCtrl+S"), Command(4, "閉じる(&C)")});
        return desktop->AddWindow(kEditor, desktop->menus.Add({Popup("ファイル(&F)", file)}));
    }
    const std::string& Shown() const { return app.texts.back(); }

    fake::App app;
    fake::HookWindow hookWindow;
    fake::Desktop* desktop = nullptr;
    std::unique_ptr<CommandStore> store;
};

const char kEditorText[] = "新規<Ctrl+N>  開く...<Ctrl+O>  上書き保存<Ctrl+S>  ";

TEST_F(Store, FirstActivationShowsTheMenuBarsShortcutsInMenuOrder) {
    store->OnActivate(EditorWithMenu(), nullptr);
    ASSERT_EQ(app.texts.size(), 1u);
    EXPECT_EQ(Shown(), kEditorText);
    ASSERT_EQ(store->m_shadows.size(), 1u);
    const CSgShadow& record = *store->m_shadows[0];
    EXPECT_EQ(record.m_strClassName, "EditorFrame");
    EXPECT_EQ(record.m_strExeName, "editor.exe");
    EXPECT_EQ(record.m_bMenuRead, 1);
}

TEST_F(Store, SeatsTheRecordAsTheHookWindowsMenuListener) {
    store->OnActivate(EditorWithMenu(), nullptr);
    EXPECT_EQ(hookWindow.calls, (std::vector<std::string>{"detach", "attach"}));
    EXPECT_EQ(hookWindow.listener, static_cast<MenuListener*>(store->m_shadows[0].get()));
}

TEST_F(Store, AWindowWithoutAMenuBarLearnsFromItsPopups) {
    WindowHandle window = desktop->AddWindow(kEditor);
    store->OnActivate(window, nullptr);
    EXPECT_EQ(Shown(), "string 57345");
    EXPECT_EQ(store->m_shadows[0]->m_bMenuRead, 0);

    MenuListener& record = *hookWindow.listener;
    record.OnInitMenuPopup(desktop->menus.Add({Command(7, "About")}), nullptr, 0, false);
    EXPECT_EQ(Shown(), "string 57350") << "readable text, no shortcuts";
    record.OnInitMenuPopup(desktop->menus.Add({Command(8, "Find\tCtrl+F")}), nullptr, 1, false);
    EXPECT_EQ(Shown(), "Find<Ctrl+F>  ");
    record.OnInitMenuPopup(desktop->menus.Add({Command(9, "Restore\tAlt+F5")}), nullptr, 0, true);  // the window menu
    EXPECT_EQ(Shown(), "Find<Ctrl+F>  Restore<Alt+F5>  ");
}

TEST_F(Store, AnUnreadablePopupLeavesTheRecordAsItWas) {
    store->OnActivate(desktop->AddWindow(kEditor), nullptr);
    hookWindow.listener->OnInitMenuPopup(desktop->menus.Add({fake::OwnerDrawn(3)}), nullptr, 0, false);
    EXPECT_EQ(Shown(), "string 57345");
    EXPECT_EQ(store->m_shadows[0]->m_bMenuRead, 0);
    EXPECT_EQ(app.texts.size(), 2u) << "each popup republishes";
}

TEST_F(Store, AMenuBarWithTextButNoShortcutsShowsTheSecondMessage) {
    MenuHandle help = desktop->menus.Add({Command(1, "About")});
    store->OnActivate(desktop->AddWindow(kEditor, desktop->menus.Add({Popup("Help", help)})), nullptr);
    EXPECT_EQ(Shown(), "string 57350");
    EXPECT_EQ(store->m_shadows[0]->m_bMenuRead, 1);
}

// The menu as the hook library would report it after reading it inside its program.
ReportedMenu Reported(fake::Menus& menus, MenuHandle menu) {
    ReportedMenu items;
    for (const fake::Item& item : menus.Items(menu)) {
        items.push_back({item.id, item.id == MenuReader::kNoCommand ? "" : item.text,
                         item.sub ? Reported(menus, item.sub) : ReportedMenu{}});
    }
    return items;
}

TEST_F(Store, AMenuBarReadByItsProgramIsLearnedWithoutAskingTheHandle) {
    MenuHandle file = desktop->menus.Add({Command(1, "新規(&N)\tCtrl+N"), Command(2, "開く(&O)...\tCtrl+O"),
                                          Command(3, "上書き保存(&S)\tCtrl+S"), Command(4, "閉じる(&C)")});
    const ReportedMenu reported = Reported(desktop->menus, desktop->menus.Add({Popup("ファイル(&F)", file)}));
    // The handle means nothing in this process, as a menu of another program on Wine.
    WindowHandle window = desktop->AddWindow(kEditor, reinterpret_cast<MenuHandle>(0xBAD));
    desktop->menus.questions = 0;
    store->OnActivate(window, &reported);
    EXPECT_EQ(Shown(), kEditorText);
    EXPECT_EQ(store->m_shadows[0]->m_bMenuRead, 1);
    EXPECT_EQ(desktop->menus.questions, 0);
}

TEST_F(Store, ReportedItemsTeachWhatTheHandleWouldTeach) {
    const ReportedMenu kEmptyMenuBar;
    // Each popup of the sequence once through its handle and once as its program reported it.
    const std::vector<std::vector<fake::Item>> popups = {
        {fake::OwnerDrawn(3), fake::Separator()},
        {Command(7, "About")},
        {Command(8, "Find\tCtrl+F"), Popup("More", desktop->menus.Add({Command(10, "Next\tF3")}))},
        {Command(8, "Find...\tCtrl+F"), Command(9, "Restore\tAlt+F5")},
    };
    std::vector<std::string> shownByHandle;
    std::vector<std::string> shownByReport;
    for (bool reported : {false, true}) {
        fake::App otherApp;
        fake::HookWindow otherHookWindow;
        otherApp.hookWindow = &otherHookWindow;
        auto owned = std::make_unique<fake::Desktop>();
        fake::Desktop& otherDesktop = *owned;
        CommandStore otherStore(otherApp, std::move(owned));
        otherStore.OnActivate(otherDesktop.AddWindow(kEditor), reported ? &kEmptyMenuBar : nullptr);
        for (const auto& items : popups) {
            // Popups of popups are added to this desktop too, at the same handles.
            std::vector<fake::Item> copy = items;
            for (fake::Item& item : copy) {
                if (item.sub) item.sub = otherDesktop.menus.Add(desktop->menus.Items(item.sub));
            }
            MenuHandle popup = otherDesktop.menus.Add(copy);
            const ReportedMenu asReported = Reported(otherDesktop.menus, popup);
            otherHookWindow.listener->OnInitMenuPopup(popup, reported ? &asReported : nullptr, 0, false);
        }
        (reported ? shownByReport : shownByHandle) = otherApp.texts;
        EXPECT_EQ(otherStore.m_shadows[0]->m_bMenuRead, 1);
    }
    EXPECT_EQ(shownByReport, shownByHandle);
    EXPECT_EQ(shownByReport.back(), "Find...<Ctrl+F>  Next<F3>  Restore<Alt+F5>  ");
}

TEST_F(Store, ChosenCommandsMoveToTheFront) {
    store->OnActivate(EditorWithMenu(), nullptr);
    MenuListener& record = *hookWindow.listener;
    struct Step {
        std::uintptr_t wParam;
        unsigned code;
        const char* shown;  // null: the bar is not told anything
    };
    const Step steps[] = {
        {3, 0, "上書き保存<Ctrl+S>  新規<Ctrl+N>  開く...<Ctrl+O>  "},
        {3, 0, "上書き保存<Ctrl+S>  新規<Ctrl+N>  開く...<Ctrl+O>  "},  // already at the front
        {2, 1, nullptr},                                                 // accelerator: nothing
        {4, 0, "上書き保存<Ctrl+S>  新規<Ctrl+N>  開く...<Ctrl+O>  "},  // no shortcut, not a command
        {999, 0, "上書き保存<Ctrl+S>  新規<Ctrl+N>  開く...<Ctrl+O>  "},
        {2, 0, "開く...<Ctrl+O>  上書き保存<Ctrl+S>  新規<Ctrl+N>  "},
    };
    for (const Step& step : steps) {
        const std::size_t before = app.texts.size();
        record.OnCommand(step.wParam, step.code);
        if (!step.shown) {
            EXPECT_EQ(app.texts.size(), before) << step.wParam;
            continue;
        }
        ASSERT_EQ(app.texts.size(), before + 1) << step.wParam;
        EXPECT_EQ(Shown(), step.shown) << step.wParam;
    }
}

TEST_F(Store, CommandsMatchOnTheLowWordSoHighIdentifiersNeverMove) {
    MenuHandle menu = desktop->menus.Add({Command(0x0005, "Low\tF5"), Command(0x10006, "High\tF6")});
    store->OnActivate(desktop->AddWindow(kEditor, menu), nullptr);
    MenuListener& record = *hookWindow.listener;
    record.OnCommand(0x10006, 0);
    EXPECT_EQ(Shown(), "Low<F5>  High<F6>  ");
    record.OnCommand(0x0006, 0);
    EXPECT_EQ(Shown(), "Low<F5>  High<F6>  ");
}

TEST_F(Store, TwoWindowsOfOneApplicationShareTheRecordAndItsOrder) {
    WindowHandle first = EditorWithMenu();
    WindowHandle second = desktop->AddWindow(kEditor);  // no menu bar of its own
    store->OnActivate(first, nullptr);
    hookWindow.listener->OnCommand(3, 0);
    store->OnActivate(second, nullptr);
    EXPECT_EQ(store->m_shadows.size(), 1u);
    EXPECT_EQ(Shown(), "上書き保存<Ctrl+S>  新規<Ctrl+N>  開く...<Ctrl+O>  ");
}

TEST_F(Store, AKnownApplicationIsNotRescannedOnActivation) {
    WindowHandle window = EditorWithMenu();
    store->OnActivate(window, nullptr);
    desktop->menus.questions = 0;
    store->OnActivate(window, nullptr);
    EXPECT_EQ(desktop->menus.questions, 0);
    EXPECT_EQ(Shown(), kEditorText);
}

TEST_F(Store, ARecordWithoutCommandsIsScannedAgainOnActivation) {
    MenuHandle bar = desktop->menus.Add({Command(1, "About")});
    WindowHandle window = desktop->AddWindow(kEditor, bar);
    store->OnActivate(window, nullptr);
    desktop->menus.Items(bar).push_back(Command(2, "Exit\tAlt+F4"));
    store->OnActivate(window, nullptr);
    EXPECT_EQ(Shown(), "Exit<Alt+F4>  ");
}

TEST_F(Store, KeysDifferingInAnyByteGetRecordsOfTheirOwn) {
    const ApplicationKey keys[] = {kEditor, {"EditorFrame", "EDITOR.EXE"}, {"editorframe", "editor.exe"},
                                   {"EditorFrame", ""}, {"ViewerFrame", "editor.exe"}, {"", ""}};
    for (const ApplicationKey& key : keys) store->OnActivate(desktop->AddWindow(key), nullptr);
    for (const ApplicationKey& key : keys) store->OnActivate(desktop->AddWindow(key), nullptr);
    ASSERT_EQ(store->m_shadows.size(), std::size(keys));
    for (std::size_t i = 0; i < std::size(keys); ++i) EXPECT_TRUE(store->m_shadows[i]->Matches(keys[i])) << i;
}

TEST_F(Store, FindOrCreateShadowReturnsTheKnownRecordAndAppendsNewOnes) {
    CSgShadow* editor = store->FindOrCreateShadow(desktop->AddWindow(kEditor));
    CSgShadow* viewer = store->FindOrCreateShadow(desktop->AddWindow({"ViewerFrame", "viewer.exe"}));
    EXPECT_EQ(store->FindOrCreateShadow(desktop->AddWindow(kEditor)), editor);
    ASSERT_EQ(store->m_shadows.size(), 2u);
    EXPECT_EQ(store->m_shadows[0].get(), editor);
    EXPECT_EQ(store->m_shadows[1].get(), viewer);
    EXPECT_TRUE(app.texts.empty()) << "finding a record shows nothing";
}

TEST_F(Store, ARecordReadFromTheDataFileWorksOnceFound) {
    auto loaded = std::make_unique<CSgShadow>(kEditor);
    loaded->m_commands.push_back(std::make_unique<CSgCommand>());
    loaded->m_commands.back()->SetFromMenuItem(40, "Print\tCtrl+P");
    store->m_shadows.push_back(std::move(loaded));
    store->OnActivate(EditorWithMenu(), nullptr);
    EXPECT_EQ(Shown(), "Print<Ctrl+P>  ") << "a known application keeps its stored text";
}

TEST_F(Store, WorksWithoutAHookWindow) {
    app.hookWindow = nullptr;
    store->OnActivate(EditorWithMenu(), nullptr);
    EXPECT_EQ(Shown(), kEditorText);
}

TEST_F(Store, DetachesItsRecordFromTheHookWindowWhenDeleted) {
    store->OnActivate(EditorWithMenu(), nullptr);
    store.reset();
    EXPECT_EQ(hookWindow.listener, nullptr);
    EXPECT_EQ(hookWindow.calls.back(), "detach");
}

}  // namespace
