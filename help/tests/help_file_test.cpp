// The generator's help file read back as a viewer reads it: every topic of the source with its
// title, its text byte for byte in code page 932, its context name and its number.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "help/generator/contents_file.h"
#include "help/generator/cp932.h"
#include "help/generator/help_source.h"
#include "help/generator/winhelp_file.h"
#include "help/tests/help_file_reader.h"

namespace {

using helpgen::HelpDocument;
using helptest::HelpFile;

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Every topic of the document is in the file, where its context name and number lead.
void ExpectDocumentIn(const HelpDocument& doc, const HelpFile& file) {
    EXPECT_EQ(file.title, doc.title);
    EXPECT_EQ(file.copyright, doc.copyright);
    EXPECT_EQ(file.charset, 128) << "Shift-JIS";
    EXPECT_EQ(file.mainCaption, doc.title);
    EXPECT_EQ(file.macros, std::vector<std::string>{"BrowseButtons()"});
    ASSERT_EQ(file.topics.size(), doc.topics.size());
    EXPECT_EQ(file.contentsOffset, file.topics.front().offset) << "the first topic is the contents";
    for (size_t i = 0; i < doc.topics.size(); ++i) {
        const helpgen::HelpTopic& want = doc.topics[i];
        SCOPED_TRACE(want.context);
        const helptest::ReadTopic& got = file.topics[i];
        EXPECT_EQ(got.title, want.title);
        ASSERT_EQ(got.paragraphs.size(), want.paragraphs.size() + 1) << "the title opens the topic";
        EXPECT_EQ(got.paragraphs[0].text, want.title);
        EXPECT_EQ(got.paragraphs[0].fonts, std::vector<std::uint16_t>{1});
        for (size_t p = 0; p < want.paragraphs.size(); ++p) {
            const helptest::ReadParagraph& para = got.paragraphs[p + 1];
            EXPECT_EQ(para.text, want.paragraphs[p].text) << "paragraph " << p;
            EXPECT_EQ(para.fonts, std::vector<std::uint16_t>{0});
            if (want.paragraphs[p].jumpTarget.empty()) {
                EXPECT_TRUE(para.jumps.empty());
            } else {
                EXPECT_EQ(para.jumps, std::vector<std::int32_t>{helpgen::ContextHash(want.paragraphs[p].jumpTarget)});
            }
        }
        const auto byContext = file.contextOffsets.find(helpgen::ContextHash(want.context));
        ASSERT_NE(byContext, file.contextOffsets.end());
        EXPECT_EQ(file.TopicAt(byContext->second), &got);
        const auto byNumber = file.numberOffsets.find(want.number);
        ASSERT_NE(byNumber, file.numberOffsets.end());
        EXPECT_EQ(file.TopicAt(byNumber->second), &got);
    }
    EXPECT_EQ(file.contextOffsets.size(), doc.topics.size());
    EXPECT_EQ(file.numberOffsets.size(), doc.topics.size());
}

TEST(HelpFile, TheBuiltHelpHoldsEveryTopicOfTheSource) {
    const HelpDocument doc = helpgen::ParseHelpSource(ReadFile(HINTRAIL_HELP_SOURCE));
    const HelpFile file = helptest::ReadHelpFile(ReadFile(HINTRAIL_HELP_FILE));
    EXPECT_EQ(file.minorVersion, 21) << "WinHelp 3.1";
    ExpectDocumentIn(doc, file);
    ASSERT_EQ(file.fonts.size(), 2u);
    for (const auto& font : file.fonts) EXPECT_EQ(font.faceName, "ＭＳ Ｐゴシック");
    EXPECT_FALSE(file.fonts[0].bold);
    EXPECT_TRUE(file.fonts[1].bold);
}

TEST(HelpFile, TheBuiltContentsFileListsEveryTopic) {
    const HelpDocument doc = helpgen::ParseHelpSource(ReadFile(HINTRAIL_HELP_SOURCE));
    std::string expected = ":Base Hintrail.hlp\r\n:Title Hintrail ヘルプ\r\n";
    for (const auto& topic : doc.topics) expected += "1 " + topic.title + "=" + topic.context + "\r\n";
    EXPECT_EQ(ReadFile(HINTRAIL_CONTENTS_FILE), expected);
    EXPECT_NE(expected.find("1 アンインストールのしかた=uninstall\r\n"), std::string::npos);
}

// The source is written as UTF-8 (u8) literals, the expectations as plain ones, which the build
// compiles to code page 932: they say independently of iconv what the bytes must be.
// The bar's own text of a string of resources/bar.rc (UTF-8 there, as in the help's source).
std::string BarString(const std::string& name) {
    std::istringstream rc(ReadFile(HINTRAIL_BAR_RESOURCES));
    std::string line;
    while (std::getline(rc, line)) {
        const auto at = line.find(name + " \"");
        if (at != std::string::npos) return line.substr(at + name.size() + 2, line.rfind('"') - at - name.size() - 2);
    }
    return {};
}

TEST(HelpFile, TheMessagesTopicQuotesBothOfTheBarsMessages) {
    const HelpDocument doc = helpgen::ParseHelpSource(ReadFile(HINTRAIL_HELP_SOURCE));
    const helpgen::HelpTopic* messages = nullptr;
    for (const auto& topic : doc.topics)
        if (topic.context == "messages") messages = &topic;
    ASSERT_NE(messages, nullptr);
    for (const char* name : {"IDS_MENU_UNREADABLE", "IDS_NO_SHORTCUTS"}) {
        const std::string text = BarString(name);
        ASSERT_FALSE(text.empty()) << name;
        const std::string quoted = helpgen::Utf8ToCp932(u8"「" + text + u8"」");
        bool found = false;
        for (const auto& p : messages->paragraphs) found = found || p.text.find(quoted) != std::string::npos;
        EXPECT_TRUE(found) << name;
    }
}

TEST(HelpFile, JapaneseTextIsCodePage932ByteForByte) {
    const HelpDocument doc = helpgen::ParseHelpSource(
        u8"title: テスト\n"
        u8"copyright: 著作権\n"
        u8"== top 5 == 見出し\n"
        u8"一行目と\n"
        u8"二行目は一つの段落、\n"
        u8"ASCII\n"
        u8"words get a space.\n"
        u8"・点で始まる行は新しい段落\n"
        u8"\n"
        u8"ソ表\\は 0x5C を含む\n"
        u8"-> other.topic_2\n"
        u8"== other.topic_2 7 == 別のトピック\n"
        u8"本文\n"
        u8"-> top\n");
    EXPECT_EQ(doc.title, "テスト");
    ASSERT_EQ(doc.topics.size(), 2u);
    const auto& top = doc.topics[0].paragraphs;
    ASSERT_EQ(top.size(), 4u);
    EXPECT_EQ(top[0].text, "一行目と二行目は一つの段落、ASCII words get a space.");
    EXPECT_EQ(top[1].text, "・点で始まる行は新しい段落");
    EXPECT_EQ(top[2].text, "ソ表\\は 0x5C を含む");
    EXPECT_EQ(top[3].text, "別のトピック") << "a jump shows its target's title";
    EXPECT_EQ(top[3].jumpTarget, "other.topic_2");
    ExpectDocumentIn(doc, helptest::ReadHelpFile(helpgen::BuildWinHelpFile(doc, 0)));
}

TEST(HelpFile, ALongHelpFillsSeveralTopicBlocks) {
    std::string source = u8"title: 長いヘルプ\n";
    for (int t = 0; t < 12; ++t) {
        source += "== topic" + std::to_string(t) + " " + std::to_string(100 + t) + u8" == トピック" +
                  std::to_string(t) + "\n";
        for (int p = 0; p < 6; ++p) source += std::string(60, 'a' + p) + u8"。漢字の段落です。\n\n";
    }
    const HelpDocument doc = helpgen::ParseHelpSource(source);
    const std::string bytes = helpgen::BuildWinHelpFile(doc, 0);
    const HelpFile file = helptest::ReadHelpFile(bytes);
    EXPECT_GE(file.files.at("|TOPIC").size(), 3u * 0x1000) << "three blocks or more";
    ExpectDocumentIn(doc, file);
}

TEST(HelpFile, ContextHashIsWinHelps) {
    EXPECT_EQ(helpgen::ContextHash(""), 0);
    EXPECT_EQ(helpgen::ContextHash("a"), 17);
    EXPECT_EQ(helpgen::ContextHash("Ab"), 17 * 43 + 18);
    EXPECT_EQ(helpgen::ContextHash("z0._9"), ((42 * 43 + 10) * 43 + 12) * 43 * 43 + 13 * 43 + 9);
}

struct BadSource {
    const char* name;
    const char* text;
    const char* message;
    friend void PrintTo(const BadSource& s, std::ostream* os) { *os << s.name; }
};

class HelpSourceErrors : public ::testing::TestWithParam<BadSource> {};

TEST_P(HelpSourceErrors, AreRefusedWithTheirLine) {
    try {
        helpgen::ParseHelpSource(GetParam().text);
        FAIL() << "accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, HelpSourceErrors,
    ::testing::Values(
        BadSource{"NoTitle", "== a 1 == A\ntext\n", "no title"},
        BadSource{"TextBeforeTopics", "title: T\nstray\n", "line 2: text before the first topic"},
        BadSource{"BadContext", "title: T\n== a-b 1 == A\ntext\n", "line 2: a topic needs a context"},
        BadSource{"NoNumber", "title: T\n== a == A\ntext\n", "line 2:"},
        BadSource{"TwiceContext", "title: T\n== a 1 == A\nx\n== a 2 == B\ny\n", "line 4: context a twice"},
        BadSource{"TwiceNumber", "title: T\n== a 1 == A\nx\n== b 1 == B\ny\n", "line 4: number 1 twice"},
        BadSource{"UnknownJump", "title: T\n== a 1 == A\n-> nowhere\n", "line 3: no topic nowhere"},
        BadSource{"EmptyTopic", "title: T\n== a 1 == A\n", "topic a has no text"},
        BadSource{"NoCodePage932Form", "title: T\n== a 1 == A\n\xF0\x9F\x98\x80\n", "line 3: no code page 932 form"}),
    [](const ::testing::TestParamInfo<BadSource>& info) { return std::string(info.param.name); });

}  // namespace
