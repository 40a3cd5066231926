#include "help/generator/help_source.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <stdexcept>

#include "help/generator/cp932.h"

namespace helpgen {
namespace {

const std::string kBullet = "\xE3\x83\xBB";  // "・" in UTF-8

bool StartsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool IsAsciiWordByte(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 0x80 && !std::isspace(u);
}

bool IsContextName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.';
    });
}

class Parser {
public:
    HelpDocument Parse(const std::string& utf8) {
        std::istringstream lines(utf8);
        std::string raw;
        while (std::getline(lines, raw)) {
            ++m_line;
            Take(Trim(raw));
        }
        EndParagraph();
        Finish();
        return std::move(m_doc);
    }

private:
    [[noreturn]] void Fail(const std::string& what) const {
        throw std::runtime_error("line " + std::to_string(m_line) + ": " + what);
    }

    std::string Convert(const std::string& utf8) const {
        try {
            return Utf8ToCp932(utf8);
        } catch (const std::exception& e) {
            Fail(e.what());
        }
    }

    void Take(const std::string& line) {
        if (StartsWith(line, "#")) return;
        if (line.empty()) return EndParagraph();
        if (StartsWith(line, "==")) return StartTopic(line);
        if (m_doc.topics.empty()) return TakeHeader(line);
        if (StartsWith(line, "->")) return TakeJump(Trim(line.substr(2)));
        if (StartsWith(line, kBullet)) EndParagraph();
        if (!m_text.empty() && IsAsciiWordByte(m_text.back()) && IsAsciiWordByte(line.front()))
            m_text += ' ';
        m_text += line;
    }

    void TakeHeader(const std::string& line) {
        if (StartsWith(line, "title:")) {
            m_doc.title = Convert(Trim(line.substr(6)));
        } else if (StartsWith(line, "copyright:")) {
            m_doc.copyright = Convert(Trim(line.substr(10)));
        } else {
            Fail("text before the first topic");
        }
    }

    void StartTopic(const std::string& line) {
        EndParagraph();
        const auto close = line.find("==", 2);
        if (close == std::string::npos) Fail("a topic line reads \"== context number == title\"");
        std::istringstream head(line.substr(2, close - 2));
        HelpTopic topic;
        long long number = -1;
        if (!(head >> topic.context >> number) || !IsContextName(topic.context) || number < 0 ||
            number > 0x7FFFFFFF)
            Fail("a topic needs a context name of letters, digits, '_' or '.' and a number");
        topic.number = static_cast<std::uint32_t>(number);
        topic.title = Convert(Trim(line.substr(close + 2)));
        if (topic.title.empty()) Fail("a topic needs a title");
        if (!m_contexts.insert(topic.context).second) Fail("context " + topic.context + " twice");
        if (!m_numbers.insert(topic.number).second) Fail("number " + std::to_string(number) + " twice");
        m_doc.topics.push_back(std::move(topic));
    }

    void TakeJump(const std::string& target) {
        EndParagraph();
        if (!IsContextName(target)) Fail("a jump names a context");
        m_doc.topics.back().paragraphs.push_back({{}, target});
        m_jumpLines.push_back(m_line);
    }

    void EndParagraph() {
        if (m_text.empty()) return;
        m_doc.topics.back().paragraphs.push_back({Convert(m_text), {}});
        m_text.clear();
    }

    // Jumps show their target's title, known once every topic is read.
    void Finish() {
        if (m_doc.title.empty()) Fail("the file has no title");
        if (m_doc.topics.empty()) Fail("the file has no topic");
        size_t jump = 0;
        for (auto& topic : m_doc.topics) {
            if (topic.paragraphs.empty()) Fail("topic " + topic.context + " has no text");
            for (auto& paragraph : topic.paragraphs) {
                if (paragraph.jumpTarget.empty()) continue;
                m_line = m_jumpLines[jump++];
                const auto target = std::find_if(
                    m_doc.topics.begin(), m_doc.topics.end(),
                    [&](const HelpTopic& t) { return t.context == paragraph.jumpTarget; });
                if (target == m_doc.topics.end()) Fail("no topic " + paragraph.jumpTarget);
                paragraph.text = target->title;
            }
        }
    }

    HelpDocument m_doc;
    std::string m_text;  // UTF-8 paragraph being gathered
    std::set<std::string> m_contexts;
    std::set<std::uint32_t> m_numbers;
    std::vector<int> m_jumpLines;
    int m_line = 0;
};

}  // namespace

HelpDocument ParseHelpSource(const std::string& utf8) { return Parser().Parse(utf8); }

}  // namespace helpgen
