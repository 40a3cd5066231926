#include "bar/archive/archive.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "bar/archive/tests/fixture_bytes.h"
#include "bar/archive/tests/sg_records.h"

namespace {

using archive_sample::CSgCommand;
using archive_sample::CSgShadow;
using archive_sample::CSgShadowEx;
using archive_sample::Fixture;
using Bytes = std::vector<std::uint8_t>;

fw::CArchive Loading(const Bytes& bytes, fw::WideToAnsi toAnsi = {}) {
    return fw::CArchive(fw::ByteSpan{bytes.data(), bytes.size()}, std::move(toAnsi));
}

fw::ArchiveError FailureOf(const std::function<void()>& read) {
    try {
        read();
    } catch (const fw::CArchiveException& e) {
        return e.Cause();
    }
    return fw::ArchiveError::none;
}

TEST(Archive, IntegersAreLittleEndian) {
    Bytes out;
    fw::CArchive storing(out);
    storing.WriteUInt8(0x12);
    storing.WriteUInt16(0x3456);
    storing.WriteUInt32(0x789ABCDE);
    storing.WriteInt32(-2);
    storing.Flush();
    EXPECT_EQ(out, Fixture("12 56 34 DE BC 9A 78 FE FF FF FF"));

    fw::CArchive loading = Loading(out);
    EXPECT_EQ(loading.ReadUInt8(), 0x12);
    EXPECT_EQ(loading.ReadUInt16(), 0x3456);
    EXPECT_EQ(loading.ReadUInt32(), 0x789ABCDEu);
    EXPECT_EQ(loading.ReadInt32(), -2);
    EXPECT_EQ(FailureOf([&] { loading.ReadUInt8(); }), fw::ArchiveError::endOfFile);
}

TEST(Archive, StringsTakeTheShortestLengthForm) {
    struct Case {
        std::size_t length;
        const char* prefix;
    };
    for (const Case& c :
         {Case{0, "00"}, Case{254, "FE"}, Case{255, "FF FF 00"}, Case{0xFFFD, "FF FD FF"},
          Case{0xFFFE, "FF FF FF FE FF 00 00"}, Case{0x10000, "FF FF FF 00 00 01 00"}}) {
        const std::string text(c.length, 'x');
        Bytes out;
        fw::CArchive storing(out);
        storing.WriteString(text);
        storing.Flush();
        EXPECT_EQ(out, Fixture(std::string(c.prefix) + " '" + text + "'")) << c.length;

        fw::CArchive loading = Loading(out);
        EXPECT_EQ(loading.ReadString(), text) << c.length;
        EXPECT_EQ(loading.BytesLeft(), 0u);
    }
}

TEST(Archive, ReadsLongerLengthFormsThanNeeded) {
    for (const char* prefix : {"03", "FF 03 00", "FF FF FF 03 00 00 00"}) {
        const Bytes bytes = Fixture(std::string(prefix) + " 'abc'");
        fw::CArchive loading = Loading(bytes);
        EXPECT_EQ(loading.ReadString(), "abc") << prefix;
    }
}

TEST(Archive, Utf16StringsComeBackThroughTheConverter) {
    // Marker FF FE FF, then the length in units in any form, then little-endian units.
    for (const char* units : {"02", "FF 02 00", "FF FF FF 02 00 00 00"}) {
        std::u16string seen;
        auto toAnsi = [&seen](std::u16string_view text) {
            seen = text;
            return std::string("\x82\xA0");
        };
        const Bytes bytes = Fixture("FF FE FF " + std::string(units) + " 41 00 42 30 7F");
        fw::CArchive loading = Loading(bytes, toAnsi);
        EXPECT_EQ(loading.ReadString(), "\x82\xA0") << units;
        EXPECT_EQ(seen, u"A\u3042") << units;
        EXPECT_EQ(loading.ReadUInt8(), 0x7F) << units;
    }
}

TEST(Archive, Utf16StringsThatCannotBeReadFail) {
    auto toAnsi = [](std::u16string_view) { return std::string("?"); };
    struct Case {
        const char* name;
        Bytes bytes;
        fw::WideToAnsi toAnsi;
        fw::ArchiveError expected;
    };
    const Case cases[] = {
        {"no converter", Fixture("FF FE FF 01 41 00"), {}, fw::ArchiveError::badString},
        {"marker twice", Fixture("FF FE FF FF FE FF 01 41 00"), toAnsi,
         fw::ArchiveError::badString},
        {"odd byte short", Fixture("FF FE FF 02 41 00 42"), toAnsi, fw::ArchiveError::endOfFile},
    };
    for (const Case& c : cases) {
        fw::CArchive loading = Loading(c.bytes, c.toAnsi);
        EXPECT_EQ(FailureOf([&] { loading.ReadString(); }), c.expected) << c.name;
    }
}

TEST(Archive, TypedReadsTakeTheExpectedClassOrOneDerivedFromIt) {
    CSgShadowEx derived;
    derived.m_strExeName = "ex.exe";
    CSgShadow base;
    Bytes out;
    fw::CArchive storing(out);
    storing.WriteObject(derived);
    storing.WriteObject(base);
    storing.Flush();

    fw::CArchive loading = Loading(out);
    std::unique_ptr<CSgShadow> read = loading.ReadObject<CSgShadow>();
    EXPECT_EQ(&read->GetRuntimeClass(), &CSgShadowEx::runtimeClass);
    EXPECT_EQ(read->m_strExeName, "ex.exe");
    EXPECT_EQ(FailureOf([&] { loading.ReadObject<CSgShadowEx>(); }), fw::ArchiveError::badClass);
}

TEST(Archive, ReadingAndWritingNeedTheirOwnKindOfArchive) {
    Bytes out;
    fw::CArchive storing(out);
    EXPECT_THROW(storing.ReadUInt32(), std::logic_error);
    fw::CArchive loading = Loading(out);
    EXPECT_THROW(loading.WriteUInt32(1), std::logic_error);
    CSgCommand command;
    EXPECT_THROW(loading.WriteObject(command), std::logic_error);
}

}  // namespace
