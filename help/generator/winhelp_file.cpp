#include "help/generator/winhelp_file.h"

#include <map>
#include <stdexcept>
#include <vector>

#include "help/generator/byte_writer.h"

namespace helpgen {
namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;

// |TOPIC is cut into blocks of 4 KB, each a 12-byte header and its records. Records never
// straddle a block here, so the viewer needs no decompression and no joining.
constexpr size_t kTopicBlockSize = 0x1000;
constexpr size_t kBlockHeaderSize = 12;
constexpr size_t kBlockCapacity = kTopicBlockSize - kBlockHeaderSize;
constexpr size_t kLinkHeaderSize = 0x15;
constexpr size_t kTopicHeaderSize = 28;
constexpr std::uint8_t kTopicHeaderRecord = 0x02;
constexpr std::uint8_t kTextRecord = 0x20;

constexpr std::uint16_t kBodyFont = 0;
constexpr std::uint16_t kTitleFont = 1;
constexpr std::uint8_t kShiftJisCharset = 128;
// "ＭＳ Ｐゴシック" in code page 932; 3.1 files keep face names in 20 bytes.
const std::string kFaceName = "\x82\x6C\x82\x72\x20\x82\x6F\x83\x53\x83\x56\x83\x62\x83\x4E";
constexpr size_t kFaceNameSize = 20;

// The paragraph records' numbers come in a short or a long form; the low bit of the first
// byte tells the reader which.
void PutCompressedUnsigned(ByteWriter& w, std::uint32_t v) {
    if (v < 0x80) return w.Put8(v * 2);
    if (v < 0x8000) return w.Put16(v * 2 + 1);
    throw std::runtime_error("a paragraph is longer than 32767 bytes");
}
void PutCompressedSigned(ByteWriter& w, std::uint32_t v) {  // a small non-negative short
    if (v < 0x40) return w.Put8(0x80 + v * 2);
    w.Put16(0x8000 + v * 2 + 1);
}
void PutCompressedLong(ByteWriter& w, std::uint32_t v) {  // a non-negative long
    if (v < 0x4000) return w.Put16(0x8000 + v * 2);
    w.Put32(0x80000000u + v * 2 + 1);
}

struct Record {
    std::uint8_t type = kTextRecord;
    std::string linkData1;  // a topic header's is filled in once the layout is known
    std::string linkData2;
    std::uint32_t characters = 0;  // what a paragraph adds to the topic offsets
    size_t topic = 0;
    // Placement: its position (block << 14, plus 12 and its place in the block) and the
    // topic offset counted at its start (block << 15, plus the characters before it there).
    size_t block = 0;
    std::uint32_t position = 0;
    std::uint32_t offset = 0;

    size_t Size() const { return kLinkHeaderSize + linkData1.size() + linkData2.size(); }
};

// One paragraph in one font, optionally a jump to the topic of that context hash.
Record Paragraph(size_t topic, const std::string& text, std::uint16_t font, std::uint32_t spaceAfter,
                 const std::int32_t* jumpHash) {
    // Each formatting command ends one of the NUL-terminated strings of the text.
    ByteWriter commands;
    std::string strings(1, '\0');
    commands.Put8(0x80);  // font
    commands.Put16(font);
    if (jumpHash) {
        strings += '\0';
        commands.Put8(0xE3);  // jump to a topic in this file
        commands.Put32(static_cast<std::uint32_t>(*jumpHash));
        strings += text + '\0';
        commands.Put8(0x89);  // end of the jump's text
        strings += '\0';
    } else {
        strings += text + '\0';
    }
    commands.Put8(0x82);  // end of paragraph
    strings += '\0';
    commands.Put8(0xFF);  // end of the commands

    Record r;
    r.topic = topic;
    r.characters = static_cast<std::uint32_t>(text.size() + 1);
    ByteWriter ld1;
    PutCompressedLong(ld1, static_cast<std::uint32_t>(strings.size()));
    PutCompressedUnsigned(ld1, r.characters);
    ld1.Put8(0x00);
    ld1.Put8(0x80);
    ld1.Put16(0);          // paragraph id
    ld1.Put16(0x0004);     // only "space after" is given
    PutCompressedSigned(ld1, spaceAfter);
    ld1.Put(commands.Bytes());
    r.linkData1 = ld1.Bytes();
    r.linkData2 = strings;
    return r;
}

std::vector<Record> TopicRecords(const HelpDocument& doc) {
    std::vector<Record> records;
    for (size_t t = 0; t < doc.topics.size(); ++t) {
        const HelpTopic& topic = doc.topics[t];
        Record header;
        header.type = kTopicHeaderRecord;
        header.topic = t;
        header.linkData1.assign(kTopicHeaderSize, '\0');
        header.linkData2 = topic.title;
        records.push_back(header);
        // The viewer shows no title of its own: the topic opens with it.
        records.push_back(Paragraph(t, topic.title, kTitleFont, 12, nullptr));
        for (const HelpParagraph& p : topic.paragraphs) {
            const std::int32_t hash = ContextHash(p.jumpTarget);
            records.push_back(Paragraph(t, p.text, kBodyFont, 6, p.jumpTarget.empty() ? nullptr : &hash));
        }
    }
    return records;
}

void Place(std::vector<Record>& records) {
    size_t block = 0, used = 0;
    std::uint32_t characters = 0;
    for (Record& r : records) {
        if (r.Size() > kBlockCapacity) throw std::runtime_error("a paragraph does not fit a topic block");
        if (used + r.Size() > kBlockCapacity) {
            ++block;
            used = 0;
            characters = 0;
        }
        r.block = block;
        r.position = static_cast<std::uint32_t>((block << 14) + kBlockHeaderSize + used);
        r.offset = static_cast<std::uint32_t>((block << 15) + characters);
        used += r.Size();
        characters += r.characters;
    }
}

struct TopicPlace {
    size_t header = 0;  // index of its header record
    size_t end = 0;     // one past its last record
};

void FillTopicHeaders(std::vector<Record>& records, const std::vector<TopicPlace>& topics) {
    for (size_t t = 0; t < topics.size(); ++t) {
        const TopicPlace& place = topics[t];
        std::uint32_t size = 0;
        for (size_t i = place.header; i < place.end; ++i) size += static_cast<std::uint32_t>(records[i].Size());
        ByteWriter h;
        h.Put32(size);
        h.Put32(t > 0 ? records[topics[t - 1].header].offset : kNone);                  // browse back
        h.Put32(t + 1 < topics.size() ? records[topics[t + 1].header].offset : kNone);  // browse on
        h.Put32(static_cast<std::uint32_t>(t));
        h.Put32(kNone);                                   // no non-scrolling region
        h.Put32(records[place.header + 1].position);      // the scrolling region
        h.Put32(t + 1 < topics.size() ? records[topics[t + 1].header].position : kNone);
        records[place.header].linkData1 = h.Bytes();
    }
}

std::vector<TopicPlace> TopicPlaces(const std::vector<Record>& records) {
    std::vector<TopicPlace> topics;
    for (size_t i = 0; i < records.size(); ++i) {
        if (records[i].type != kTopicHeaderRecord) continue;
        if (!topics.empty()) topics.back().end = i;
        topics.push_back({i, records.size()});
    }
    return topics;
}

std::string TopicFile(const std::vector<Record>& records) {
    ByteWriter out;
    size_t lastHeader = records.size();  // none yet
    for (size_t first = 0; first < records.size();) {
        const size_t block = records[first].block;
        size_t end = first;
        while (end < records.size() && records[end].block == block) ++end;
        if (records[first].type == kTopicHeaderRecord) lastHeader = first;
        const size_t blockStart = out.Size();
        out.Put32(first > 0 ? records[first - 1].position : kNone);  // last record of the block before
        out.Put32(records[first].position);
        out.Put32(lastHeader < records.size() ? records[lastHeader].position : kNone);
        for (size_t i = first; i < end; ++i) {
            const Record& r = records[i];
            if (r.type == kTopicHeaderRecord) lastHeader = i;
            out.Put32(static_cast<std::uint32_t>(r.Size()));
            out.Put32(static_cast<std::uint32_t>(r.linkData2.size()));
            out.Put32(i > 0 ? records[i - 1].position : kNone);
            out.Put32(i + 1 < records.size() ? records[i + 1].position : kNone);
            out.Put32(static_cast<std::uint32_t>(kLinkHeaderSize + r.linkData1.size()));
            out.Put8(r.type);
            out.Put(r.linkData1);
            out.Put(r.linkData2);
        }
        // Every block is whole: the viewer copies whole blocks.
        out.PutZeros(kTopicBlockSize - (out.Size() - blockStart));
        first = end;
    }
    return out.Bytes();
}

void PutSystemRecord(ByteWriter& w, std::uint16_t type, const std::string& data) {
    w.Put16(type);
    w.Put16(static_cast<std::uint32_t>(data.size()));
    w.Put(data);
}

// Names the main window's caption: without it a viewer that WinHelp started shows only its
// own name there.
std::string MainWindow(const std::string& caption) {
    if (caption.size() > 50) throw std::runtime_error("the title is longer than a window caption");
    auto field = [](const std::string& text, size_t size) {
        std::string f = text;
        f.resize(size, '\0');
        return f;
    };
    ByteWriter w;
    w.Put16(0x0007);  // type, name and caption given; position, size and colours the viewer's
    w.Put(field("primary", 10));
    w.Put(field("main", 9));
    w.Put(field(caption, 51));
    w.PutZeros(5 * 2 + 2 * 4);  // position, size, state, colours: unused
    return w.Bytes();
}

std::string SystemFile(const HelpDocument& doc, std::uint32_t contentsOffset, std::uint32_t generatedAt) {
    ByteWriter w;
    w.Put16(0x036C);  // magic
    w.Put16(21);      // minor version: WinHelp 3.1
    w.Put16(1);       // major version
    w.Put32(generatedAt);
    w.Put16(0);       // flags: topic blocks of 4 KB, uncompressed
    PutSystemRecord(w, 1, doc.title + '\0');
    if (!doc.copyright.empty()) PutSystemRecord(w, 2, doc.copyright + '\0');
    ByteWriter contents;
    contents.Put32(contentsOffset);
    PutSystemRecord(w, 3, contents.Bytes());
    // The viewer's "<<" and ">>" buttons walk the topics in their order.
    PutSystemRecord(w, 4, "BrowseButtons()" + std::string(1, '\0'));
    PutSystemRecord(w, 6, MainWindow(doc.title));
    // Without it the viewer gives every font the default character set.
    PutSystemRecord(w, 11, std::string(1, static_cast<char>(kShiftJisCharset)));
    return w.Bytes();
}

void PutFontDescriptor(ByteWriter& w, std::uint8_t attributes, std::uint8_t halfPoints,
                       std::uint32_t foreground) {
    w.Put8(attributes);
    w.Put8(halfPoints);
    w.Put8(3);   // family: swiss
    w.Put16(0);  // face name index
    w.Put8(foreground >> 16);
    w.Put8(foreground >> 8);
    w.Put8(foreground);
    w.Put8(0xFF);  // background: white
    w.Put8(0xFF);
    w.Put8(0xFF);
}

std::string FontFile() {
    ByteWriter w;
    w.Put16(1);  // face names
    w.Put16(2);  // descriptors: body and title
    w.Put16(8);
    w.Put16(8 + kFaceNameSize);
    std::string face = kFaceName;
    face.resize(kFaceNameSize, '\0');
    w.Put(face);
    PutFontDescriptor(w, 0, 20, 0x000000);  // body, 10 pt
    PutFontDescriptor(w, 1, 28, 0x000080);  // title, 14 pt bold, navy
    return w.Bytes();
}

// A B+ tree whose one page is its root and only leaf: plenty for a handful of entries.
std::string SinglePageBTree(std::uint16_t flags, std::uint16_t pageSize, const std::string& structure,
                            const std::vector<std::string>& entries) {
    size_t entryBytes = 0;
    for (const auto& e : entries) entryBytes += e.size();
    if (8 + entryBytes > pageSize) throw std::runtime_error("a B+ tree of the help file needs a second page");
    ByteWriter w;
    w.Put16(0x293B);  // magic
    w.Put16(flags);
    w.Put16(pageSize);
    std::string s = structure;
    s.resize(16, '\0');
    w.Put(s);
    w.Put16(0);       // must be zero
    w.Put16(0);       // page splits
    w.Put16(0);       // root page
    w.Put16(0xFFFF);  // must be -1
    w.Put16(1);       // pages
    w.Put16(1);       // levels
    w.Put32(static_cast<std::uint32_t>(entries.size()));
    w.Put16(static_cast<std::uint32_t>(pageSize - 8 - entryBytes));  // unused bytes of the page
    w.Put16(static_cast<std::uint32_t>(entries.size()));
    w.Put16(0xFFFF);  // no previous page
    w.Put16(0xFFFF);  // no next page
    for (const auto& e : entries) w.Put(e);
    w.PutZeros(pageSize - 8 - entryBytes);
    return w.Bytes();
}

std::string ContextFile(const HelpDocument& doc, const std::vector<std::uint32_t>& offsets) {
    std::map<std::int32_t, std::uint32_t> byHash;  // the viewer searches by signed hash
    for (size_t t = 0; t < doc.topics.size(); ++t) {
        if (!byHash.emplace(ContextHash(doc.topics[t].context), offsets[t]).second)
            throw std::runtime_error("two context names have one hash: " + doc.topics[t].context);
    }
    std::vector<std::string> entries;
    for (const auto& [hash, offset] : byHash) {
        ByteWriter e;
        e.Put32(static_cast<std::uint32_t>(hash));
        e.Put32(offset);
        entries.push_back(e.Bytes());
    }
    return SinglePageBTree(0x0002, 0x0800, "L4", entries);
}

std::string ContextMapFile(const HelpDocument& doc, const std::vector<std::uint32_t>& offsets) {
    std::map<std::uint32_t, std::uint32_t> byNumber;
    for (size_t t = 0; t < doc.topics.size(); ++t) byNumber.emplace(doc.topics[t].number, offsets[t]);
    ByteWriter w;
    w.Put16(static_cast<std::uint32_t>(byNumber.size()));
    for (const auto& [number, offset] : byNumber) {
        w.Put32(number);
        w.Put32(offset);
    }
    return w.Bytes();
}

void PutInternalFile(ByteWriter& w, const std::string& data) {
    w.Put32(static_cast<std::uint32_t>(data.size() + 9));  // reserved space, header included
    w.Put32(static_cast<std::uint32_t>(data.size()));      // used space
    w.Put8(4);                                             // file flags
    w.Put(data);
}

}  // namespace

std::int32_t ContextHash(const std::string& context) {
    std::uint32_t hash = 0;
    for (char c : context) {
        std::uint32_t x = 0;
        if (c >= 'A' && c <= 'Z') x = c - 'A' + 17;
        if (c >= 'a' && c <= 'z') x = c - 'a' + 17;
        if (c >= '1' && c <= '9') x = c - '0';
        if (c == '0') x = 10;
        if (c == '.') x = 12;
        if (c == '_') x = 13;
        if (x) hash = hash * 43 + x;  // wraps as WinHelp's 32-bit arithmetic does
    }
    return static_cast<std::int32_t>(hash);
}

std::string BuildWinHelpFile(const HelpDocument& doc, std::uint32_t generatedAt) {
    std::vector<Record> records = TopicRecords(doc);
    Place(records);
    const std::vector<TopicPlace> topics = TopicPlaces(records);
    FillTopicHeaders(records, topics);
    std::vector<std::uint32_t> offsets;
    for (const TopicPlace& t : topics) offsets.push_back(records[t.header].offset);

    const std::map<std::string, std::string> files = {
        {"|CONTEXT", ContextFile(doc, offsets)},
        {"|CTXOMAP", ContextMapFile(doc, offsets)},
        {"|FONT", FontFile()},
        {"|SYSTEM", SystemFile(doc, offsets.front(), generatedAt)},
        {"|TOPIC", TopicFile(records)},
    };

    ByteWriter out;
    out.Put32(0x00035F3F);  // magic
    out.Put32(0);           // directory start, below
    out.Put32(kNone);       // no free block
    out.Put32(0);           // file size, below
    std::vector<std::string> directory;  // in name order, as the directory is searched
    for (const auto& [name, data] : files) {
        ByteWriter entry;
        entry.Put(name + '\0');
        entry.Put32(static_cast<std::uint32_t>(out.Size()));
        directory.push_back(entry.Bytes());
        PutInternalFile(out, data);
    }
    out.Patch32(4, static_cast<std::uint32_t>(out.Size()));
    PutInternalFile(out, SinglePageBTree(0x0402, 0x0400, "z4", directory));
    out.Patch32(12, static_cast<std::uint32_t>(out.Size()));
    return out.Bytes();
}

}  // namespace helpgen
