// Reads a WinHelp 3.1 file back the way a viewer does: the internal directory, |SYSTEM, the
// topic records followed from the first, |FONT, |CONTEXT and |CTXOMAP. Throws
// std::runtime_error on anything it does not expect.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace helptest {

struct ReadParagraph {
    std::string text;        // its strings joined
    std::vector<std::int32_t> jumps;  // context hashes of its jumps
    std::vector<std::uint16_t> fonts;
};

struct ReadTopic {
    std::uint32_t offset = 0;  // topic offset, as |CONTEXT and |CTXOMAP name it
    std::string title;         // from its header record
    std::vector<ReadParagraph> paragraphs;
};

struct ReadFont {
    std::string faceName;
    int halfPoints = 0;
    bool bold = false;
};

struct HelpFile {
    std::map<std::string, std::string> files;  // internal file name -> its bytes
    std::uint16_t minorVersion = 0;
    std::string title;
    std::string copyright;
    std::uint32_t contentsOffset = 0xFFFFFFFF;
    int charset = -1;  // from record 11, -1 when there is none
    std::vector<std::string> macros;  // run when the file opens
    std::string mainCaption;          // of the window named "main", empty when none is defined
    std::vector<ReadTopic> topics;
    std::vector<ReadFont> fonts;
    std::map<std::int32_t, std::uint32_t> contextOffsets;  // hash -> topic offset
    std::map<std::uint32_t, std::uint32_t> numberOffsets;  // number -> topic offset

    // The topic at that topic offset; null when none starts there.
    const ReadTopic* TopicAt(std::uint32_t offset) const;
};

HelpFile ReadHelpFile(const std::string& bytes);

}  // namespace helptest
