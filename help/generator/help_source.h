// The help's source text: UTF-8, one topic a section. Its form, line by line:
//   # ...                          a comment
//   title: <text>                  the help file's title (before the first topic)
//   copyright: <text>              its copyright line (before the first topic)
//   == <context> <number> == <title>   starts a topic: its context name, the number programs
//                                  open it by, and its title; the first topic is the contents
//   -> <context>                   a paragraph that jumps to that topic, showing its title
//   (blank line)                   ends a paragraph
// Other lines are paragraph text; the lines of one paragraph are joined without a break (a
// space only between two ASCII words), and a line that starts with "・" starts a new one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace helpgen {

struct HelpParagraph {
    std::string text;        // code page 932; for a jump, the target topic's title
    std::string jumpTarget;  // context name of the topic it jumps to; empty for plain text
};

struct HelpTopic {
    std::string context;     // [A-Za-z0-9_.]+
    std::uint32_t number = 0;
    std::string title;       // code page 932
    std::vector<HelpParagraph> paragraphs;
};

struct HelpDocument {
    std::string title;       // code page 932
    std::string copyright;   // code page 932
    std::vector<HelpTopic> topics;
};

// Throws std::runtime_error with the line number for a source it cannot take.
HelpDocument ParseHelpSource(const std::string& utf8);

}  // namespace helpgen
