#include "help/tests/help_file_reader.h"

#include <stdexcept>

namespace helptest {
namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::runtime_error(what); }

// Bounds-checked little-endian reads over one buffer.
class Bytes {
public:
    explicit Bytes(const std::string& data) : m_data(data) {}
    std::uint32_t U8(size_t at) const { Need(at, 1); return static_cast<unsigned char>(m_data[at]); }
    std::uint32_t U16(size_t at) const { return U8(at) | U8(at + 1) << 8; }
    std::uint32_t U32(size_t at) const { return U16(at) | U16(at + 2) << 16; }
    std::string Str(size_t at, size_t n) const { Need(at, n); return m_data.substr(at, n); }
    std::string Sz(size_t at) const {
        const auto end = m_data.find('\0', at);
        if (at > m_data.size() || end == std::string::npos) Fail("string without its end");
        return m_data.substr(at, end - at);
    }
    size_t Size() const { return m_data.size(); }

private:
    void Need(size_t at, size_t n) const {
        if (at > m_data.size() || n > m_data.size() - at) Fail("read past the end");
    }
    const std::string& m_data;
};

// One page B+ trees are all the writer makes; a reader of more would walk the index pages.
std::vector<size_t> LeafEntries(const Bytes& b, size_t tree, const char* structure,
                                size_t (*entrySize)(const Bytes&, size_t)) {
    if (b.U16(tree) != 0x293B) Fail("B+ tree magic");
    const size_t pageSize = b.U16(tree + 4);
    if (b.Sz(tree + 6) != structure) Fail("B+ tree structure");
    if (b.U16(tree + 32) != 1) Fail("B+ tree levels");
    const size_t page = tree + 38 + b.U16(tree + 26) * pageSize;
    const size_t count = static_cast<std::int16_t>(b.U16(page + 2));
    if (b.U32(tree + 34) != count) Fail("B+ tree entry count");
    std::vector<size_t> entries;
    size_t at = page + 8;
    for (size_t i = 0; i < count; ++i) {
        entries.push_back(at);
        at += entrySize(b, at);
    }
    if (b.U16(page) != page + pageSize - at) Fail("B+ tree unused bytes");
    return entries;
}

std::uint32_t CompressedUnsigned(const Bytes& b, size_t& at) {
    const std::uint32_t first = b.U8(at);
    if (first & 1) { at += 2; return b.U16(at - 2) / 2; }
    at += 1;
    return first / 2;
}
std::int32_t CompressedLong(const Bytes& b, size_t& at) {
    if (b.U8(at) & 1) { at += 4; return static_cast<std::int32_t>((b.U32(at - 4) - 0x80000000u) / 2); }
    at += 2;
    return (static_cast<std::int32_t>(b.U16(at - 2)) - 0x8000) / 2;
}
void SkipCompressedShort(const Bytes& b, size_t& at) { at += (b.U8(at) & 1) ? 2 : 1; }

ReadParagraph Paragraph(const Bytes& b, size_t rec, std::uint32_t& characters) {
    const size_t dataLen1 = b.U32(rec + 0x10);
    const size_t end = rec + b.U32(rec);
    size_t fmt = rec + 0x15;
    const size_t fmtEnd = rec + dataLen1;
    const std::int32_t textSize = CompressedLong(b, fmt);
    if (static_cast<std::uint32_t>(textSize) != b.U32(rec + 4)) Fail("paragraph text size");
    characters = CompressedUnsigned(b, fmt);
    fmt += 4;
    const std::uint32_t bits = b.U16(fmt);
    fmt += 2;
    if (bits & ~0x0006u) Fail("paragraph with settings this reader skips");
    if (bits & 0x0002) SkipCompressedShort(b, fmt);
    if (bits & 0x0004) SkipCompressedShort(b, fmt);

    ReadParagraph p;
    size_t text = rec + dataLen1;
    if (end - text != b.U32(rec + 4)) Fail("paragraph text is compressed");
    for (;;) {  // a string, then the command it ends
        if (text >= end || fmt >= fmtEnd) Fail("paragraph without its end command");
        const std::string s = b.Sz(text);
        p.text += s;
        text += s.size() + 1;
        const std::uint32_t command = b.U8(fmt++);
        if (command == 0xFF) break;
        switch (command) {
        case 0x80: p.fonts.push_back(static_cast<std::uint16_t>(b.U16(fmt))); fmt += 2; break;
        case 0x82: case 0x89: break;
        case 0xE3: p.jumps.push_back(static_cast<std::int32_t>(b.U32(fmt))); fmt += 4; break;
        default: Fail("paragraph command " + std::to_string(command));
        }
    }
    if (text != end || fmt != fmtEnd) Fail("paragraph has bytes after its end");
    return p;
}

void ReadTopics(HelpFile& f) {
    const std::string& raw = f.files.at("|TOPIC");
    // Gather the blocks' data, without their 12-byte headers, the way positions count.
    constexpr size_t kBlock = 0x1000;
    if (raw.size() % kBlock) Fail("|TOPIC is not whole blocks");
    std::vector<std::string> blocks;
    for (size_t at = 0; at < raw.size(); at += kBlock) blocks.push_back(raw.substr(at + 12, kBlock - 12));

    std::uint32_t position = 0x0C, characters = 0;
    size_t lastBlock = SIZE_MAX;
    while (position != 0xFFFFFFFF) {
        const size_t block = (position - 0x0C) >> 14, inBlock = (position - 0x0C) & 0x3FFF;
        if (block >= blocks.size()) Fail("record position beyond |TOPIC");
        if (block != lastBlock) characters = 0;
        lastBlock = block;
        const std::string record = blocks[block].substr(inBlock);
        const Bytes b(record);
        if (b.U32(0) > record.size()) Fail("record straddles a block");
        switch (b.U8(0x14)) {
        case 0x02: {
            ReadTopic t;
            t.offset = static_cast<std::uint32_t>((block << 15) + characters);
            t.title = b.Str(b.U32(0x10), b.U32(4));
            f.topics.push_back(t);
            break;
        }
        case 0x20: {
            if (f.topics.empty()) Fail("paragraph before the first topic");
            std::uint32_t n = 0;
            f.topics.back().paragraphs.push_back(Paragraph(b, 0, n));
            characters += n;
            break;
        }
        default: Fail("record type " + std::to_string(b.U8(0x14)));
        }
        position = b.U32(0x0C);
    }
}

void ReadSystem(HelpFile& f) {
    const Bytes b(f.files.at("|SYSTEM"));
    if (b.U16(0) != 0x036C || b.U16(4) != 1) Fail("|SYSTEM magic or major version");
    f.minorVersion = static_cast<std::uint16_t>(b.U16(2));
    for (size_t at = 12; at + 4 <= b.Size(); at += 4 + b.U16(at + 2)) {
        const size_t size = b.U16(at + 2);
        switch (b.U16(at)) {
        case 1: f.title = b.Sz(at + 4); break;
        case 2: f.copyright = b.Sz(at + 4); break;
        case 3: if (size != 4) Fail("contents record size"); f.contentsOffset = b.U32(at + 4); break;
        case 4: f.macros.push_back(b.Sz(at + 4)); break;
        case 6:
            if (size != 90) Fail("window record size");
            if (b.Sz(at + 4 + 12) == "main" && (b.U16(at + 4) & 0x0004)) f.mainCaption = b.Sz(at + 4 + 21);
            break;
        case 11: if (size != 1) Fail("character-set record size"); f.charset = static_cast<int>(b.U8(at + 4)); break;
        default: Fail("system record " + std::to_string(b.U16(at)));
        }
    }
}

void ReadFonts(HelpFile& f) {
    const Bytes b(f.files.at("|FONT"));
    const size_t faces = b.U16(0), descriptors = b.U16(2), faceAt = b.U16(4), descAt = b.U16(6);
    const size_t faceSize = (descAt - faceAt) / faces;
    for (size_t i = 0; i < descriptors; ++i) {
        const size_t d = descAt + i * 11;
        const size_t face = b.U16(d + 3);
        if (face >= faces) Fail("font face index");
        f.fonts.push_back({b.Sz(faceAt + face * faceSize), static_cast<int>(b.U8(d + 1)), (b.U8(d) & 1) != 0});
    }
}

void ReadContexts(HelpFile& f) {
    const Bytes c(f.files.at("|CONTEXT"));
    for (size_t e : LeafEntries(c, 0, "L4", [](const Bytes&, size_t) -> size_t { return 8; })) {
        const auto hash = static_cast<std::int32_t>(c.U32(e));
        if (!f.contextOffsets.empty() && hash <= f.contextOffsets.rbegin()->first) Fail("|CONTEXT order");
        f.contextOffsets[hash] = c.U32(e + 4);
    }
    const Bytes m(f.files.at("|CTXOMAP"));
    const size_t n = m.U16(0);
    if (m.Size() != 2 + n * 8) Fail("|CTXOMAP size");
    for (size_t i = 0; i < n; ++i) f.numberOffsets[m.U32(2 + i * 8)] = m.U32(6 + i * 8);
}

}  // namespace

const ReadTopic* HelpFile::TopicAt(std::uint32_t offset) const {
    for (const ReadTopic& t : topics)
        if (t.offset == offset) return &t;
    return nullptr;
}

HelpFile ReadHelpFile(const std::string& bytes) {
    const Bytes b(bytes);
    if (b.U32(0) != 0x00035F3F) Fail("help file magic");
    if (b.U32(12) != bytes.size()) Fail("help file size");
    HelpFile f;
    const size_t directory = b.U32(4);
    auto entrySize = [](const Bytes& d, size_t at) -> size_t { return d.Sz(at).size() + 5; };
    std::string lastName;
    for (size_t e : LeafEntries(b, directory + 9, "z4", entrySize)) {
        const std::string name = b.Sz(e);
        if (name <= lastName) Fail("directory order");
        lastName = name;
        const size_t file = b.U32(e + name.size() + 1);
        const size_t reserved = b.U32(file), used = b.U32(file + 4);
        if (reserved < used + 9 || file + reserved > bytes.size()) Fail("internal file " + name + " does not fit");
        f.files[name] = b.Str(file + 9, used);
    }
    ReadSystem(f);
    ReadTopics(f);
    ReadFonts(f);
    ReadContexts(f);
    return f;
}

}  // namespace helptest
