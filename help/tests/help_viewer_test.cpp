// Wine's WinHelp viewer on the built help file: every topic of the contents file opens by its
// context name, and a program opens topics by their numbers through WinHelp.
#include <windows.h>

#include <gtest/gtest.h>

#include "bar/tests/bar_process.h"
#include "common/win_handles.h"
#include "help/tests/help_viewer.h"

namespace {

using bartest::WaitFor;

class HelpViewer : public ::testing::Test {
protected:
    void SetUp() override {
        contents = helptest::ReadContents();
        ASSERT_FALSE(contents.topics.empty()) << "Hintrail.cnt beside the test";
    }

    std::string TitleOf(const std::string& context) const {
        for (const auto& topic : contents.topics)
            if (topic.context == context) return topic.title;
        ADD_FAILURE() << "no topic " << context;
        return {};
    }

    // Waits for the viewer to show the topic of that title; null when it never does.
    HWND WaitForTopic(const std::string& title) const {
        HWND viewer = nullptr;
        const bool shown = WaitFor([&] {
            viewer = helptest::FindViewer(contents.title);
            return viewer && helptest::ShownText(viewer).rfind(title + "\r", 0) == 0;
        });
        EXPECT_TRUE(shown) << (viewer ? helptest::ShownText(viewer) : "no viewer window");
        return shown ? viewer : nullptr;
    }

    helptest::Contents contents;
};

TEST_F(HelpViewer, ContentsFileNamesTheHelpFile) {
    EXPECT_EQ(contents.base, "Hintrail.hlp");
    EXPECT_EQ(contents.title, "Hintrail ヘルプ");
    EXPECT_EQ(contents.topics.front().context, "contents");
}

TEST_F(HelpViewer, EveryTopicOpensByItsContextName) {
    for (const auto& topic : contents.topics) {
        SCOPED_TRACE(topic.context);
        std::string command = "winhlp32.exe -i " + topic.context + " \"" + helptest::HelpFilePath() + "\"";
        STARTUPINFOA si{sizeof(si)};
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &si, &pi));
        ScopedKernelObject process(pi.hProcess), thread(pi.hThread);
        HWND viewer = WaitForTopic(topic.title);
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(helptest::CloseViewer(viewer));
        EXPECT_EQ(WaitForSingleObject(process.Get(), 20000), WAIT_OBJECT_0);
    }
}

TEST_F(HelpViewer, WinHelpOpensTopicsByTheirNumbers) {
    HWND owner = CreateWindowExA(0, bartest::PlainWindowClass("HintrailHelpOwnerTestWindow"), "owner",
                                 WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    const std::string path = helptest::HelpFilePath();
    struct Case {
        DWORD number;
        const char* context;
    };
    for (const Case& c : {Case{70, "uninstall"}, Case{1, "contents"}, Case{20, "messages"}}) {
        SCOPED_TRACE(c.context);
        ASSERT_TRUE(WinHelpA(owner, path.c_str(), HELP_CONTEXT, c.number));
        ASSERT_NE(WaitForTopic(TitleOf(c.context)), nullptr);
    }
    HWND viewer = helptest::FindViewer(contents.title);
    WinHelpA(owner, path.c_str(), HELP_QUIT, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(viewer); }));
    DestroyWindow(owner);
}

}  // namespace
