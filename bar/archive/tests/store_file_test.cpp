#include "bar/archive/store_file.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "bar/archive/tests/fixture_bytes.h"
#include "bar/archive/tests/sg_records.h"

namespace {

using archive_sample::Describe;
using archive_sample::Fixture;
using archive_sample::MakeShadow;
using archive_sample::Store;
using Bytes = std::vector<std::uint8_t>;

struct Loaded {
    fw::ArchiveError error;
    Store store;
};

Loaded Load(const Bytes& bytes, const fw::WideToAnsi& toAnsi = {}) {
    Loaded loaded;
    loaded.error =
        fw::ReadStoreFile(fw::ByteSpan{bytes.data(), bytes.size()}, toAnsi, loaded.store);
    return loaded;
}

Store TwoRecords() {
    Store store;
    store.push_back(MakeShadow("Cls", "a.exe", {{0x10, "Open<Ctrl+O>"}, {0x11, "Save<Ctrl+S>"}}));
    store.push_back(MakeShadow("Cls2", "b.exe", {{0xE123, "X<F1>"}}, 0));
    return store;
}

const std::string kHeader2 = "46 25 51 5D  00 00 00 00  02 00 00 00 ";
const std::string kTwoRecords =
    // 1: class CSgShadow, 2: the first record
    "FF FF 01 00 09 00 'CSgShadow'  03 'Cls'  05 'a.exe'  02 00 00 00"
    // 3: class CSgCommand, 4: its first command, 5: the second
    "FF FF 00 00 0A 00 'CSgCommand'  10 00 00 00  0C 'Open<Ctrl+O>'"
    "03 80  11 00 00 00  0C 'Save<Ctrl+S>'"
    "01 00 00 00"
    // 6: the second record, 7: its command
    "01 80  04 'Cls2'  05 'b.exe'  01 00 00 00"
    "03 80  23 E1 00 00  05 'X<F1>'"
    "00 00 00 00";
const Bytes kTwoRecordsFile = Fixture(kHeader2 + kTwoRecords);

TEST(StoreFile, EmptyStoreIsTheHeaderAlone) {
    const Bytes file = fw::WriteStoreFile(Store{});
    EXPECT_EQ(file, Fixture("46 25 51 5D 00 00 00 00 00 00 00 00"));
    Loaded loaded = Load(file);
    EXPECT_EQ(loaded.error, fw::ArchiveError::none);
    EXPECT_TRUE(loaded.store.empty());
}

TEST(StoreFile, WritesClassesOnceThenRefersToThemByNumber) {
    EXPECT_EQ(fw::WriteStoreFile(TwoRecords()), kTwoRecordsFile);

    Loaded loaded = Load(kTwoRecordsFile);
    EXPECT_EQ(loaded.error, fw::ArchiveError::none);
    EXPECT_EQ(Describe(loaded.store), Describe(TwoRecords()));
    EXPECT_EQ(fw::WriteStoreFile(loaded.store), kTwoRecordsFile);
}

TEST(StoreFile, CommandClassComesInUnderTheNumberReachedThen) {
    Store store;
    store.push_back(MakeShadow("A", "a.exe", {}, 0));
    store.push_back(MakeShadow("B", "b.exe", {{1, "x"}, {2, "y"}}));
    const Bytes expected =
        Fixture(kHeader2 +
                "FF FF 01 00 09 00 'CSgShadow'"  // 1, record 2
                "01 'A'  05 'a.exe'  00 00 00 00  00 00 00 00"
                "01 80  01 'B'  05 'b.exe'  02 00 00 00"               // record 3
                "FF FF 00 00 0A 00 'CSgCommand'  01 00 00 00  01 'x'"  // 4, command 5
                "04 80  02 00 00 00  01 'y'"
                "01 00 00 00");
    EXPECT_EQ(fw::WriteStoreFile(store), expected);
    EXPECT_EQ(fw::WriteStoreFile(Load(expected).store), expected);
}

TEST(StoreFile, ClassNumbersFromTheEscapeOnTakeTheLongTag) {
    struct Case {
        std::uint32_t commandClass;
        const char* secondCommandTag;
    };
    for (const Case& c : {Case{0x7FFE, "FE FF"}, Case{0x7FFF, "FF 7F  FF 7F 00 80"}}) {
        // Class CSgShadow takes 1, the records the numbers up to the command class.
        Store store;
        for (std::uint32_t n = 2; n < c.commandClass - 1; ++n) {
            store.push_back(MakeShadow("", "", {}, 0));
        }
        store.push_back(MakeShadow("", "", {{1, "x"}, {2, "y"}}));
        const Bytes file = fw::WriteStoreFile(store);
        const Bytes tail =
            Fixture(std::string(c.secondCommandTag) + " 02 00 00 00 01 'y' 01 00 00 00");
        ASSERT_GT(file.size(), tail.size());
        EXPECT_EQ(Bytes(file.end() - tail.size(), file.end()), tail) << c.commandClass;

        Loaded loaded = Load(file);
        EXPECT_EQ(loaded.error, fw::ArchiveError::none);
        EXPECT_EQ(fw::WriteStoreFile(loaded.store), file) << c.commandClass;
    }
}

TEST(StoreFile, RoundTripKeepsEveryStringLengthAndByte) {
    Store store;
    store.push_back(MakeShadow(std::string(254, 'c'), std::string(255, 'e'),
                               {{0, ""}, {0xFFFFFFFF, std::string(0xFFFE, 't')}}, 0));
    store.push_back(MakeShadow("表示", "ソフト.exe", {{0xE140, "印刷(&P)<Ctrl+P>"}}));
    store.push_back(MakeShadow("", "", {}, 1));
    const Bytes file = fw::WriteStoreFile(store);
    Loaded loaded = Load(file);
    EXPECT_EQ(loaded.error, fw::ArchiveError::none);
    EXPECT_EQ(Describe(loaded.store), Describe(store));
    EXPECT_EQ(fw::WriteStoreFile(loaded.store), file);
}

TEST(StoreFile, ReadsEveryOtherFirstWordAsTheShortLayout) {
    for (const char* firstWord : {"BA DC 0F FE", "00 00 00 00", "46 25 51 5E"}) {
        const Bytes file = Fixture(firstWord + std::string(" 02 00 00 00 ") + kTwoRecords);
        Loaded loaded = Load(file);
        EXPECT_EQ(loaded.error, fw::ArchiveError::none) << firstWord;
        EXPECT_EQ(fw::WriteStoreFile(loaded.store), kTwoRecordsFile) << firstWord;
    }
}

TEST(StoreFile, ReadsTheLongFormsTheWriterDoesNotUse) {
    // The first record's strings in longer length forms, the class of the second as a long tag,
    // and its class name in UTF-16; each file reads as the one the writer makes.
    const Bytes file = Fixture(
        "46 25 51 5D  07 00 00 00  02 00 00 00"
        "FF FF 01 00 09 00 'CSgShadow'  FF 03 00 'Cls'  FF FF FF 05 00 00 00 'a.exe'  02 00 00 00"
        "FF FF 00 00 0A 00 'CSgCommand'  10 00 00 00  0C 'Open<Ctrl+O>'"
        "FF 7F 03 00 00 80  11 00 00 00  0C 'Save<Ctrl+S>'"
        "01 00 00 00"
        "FF 7F 01 00 00 80  FF FE FF 04 43 00 6C 00 73 00 32 00  05 'b.exe'  01 00 00 00"
        "03 80  23 E1 00 00  05 'X<F1>'"
        "00 00 00 00");
    auto toAnsi = [](std::u16string_view text) { return std::string(text.begin(), text.end()); };
    Loaded loaded = Load(file, toAnsi);
    EXPECT_EQ(loaded.error, fw::ArchiveError::none);
    EXPECT_EQ(fw::WriteStoreFile(loaded.store), kTwoRecordsFile);
}

TEST(StoreFile, CommandCountIsSigned) {
    for (const char* count : {"00 00 00 00", "FF FF FF FF", "00 00 00 80"}) {
        const Bytes file = Fixture(
            "46 25 51 5D  00 00 00 00  01 00 00 00"
            "FF FF 01 00 09 00 'CSgShadow'  01 'A'  01 'a' " +
            std::string(count) + " 01 00 00 00");
        Loaded loaded = Load(file);
        EXPECT_EQ(loaded.error, fw::ArchiveError::none) << count;
        ASSERT_EQ(loaded.store.size(), 1u) << count;
        EXPECT_TRUE(loaded.store[0]->m_commands.empty()) << count;
        EXPECT_EQ(loaded.store[0]->m_bMenuRead, 1) << count;
    }
}

TEST(StoreFile, FileEndingEarlyKeepsTheRecordsCompletelyRead) {
    Store store = TwoRecords();
    store.push_back(MakeShadow("Third", "c.exe", {{7, std::string(300, 'z')}}));
    const Bytes file = fw::WriteStoreFile(store);
    // Where each record ends (the file of the records up to it), and what was read by then.
    std::vector<std::pair<std::size_t, std::string>> complete = {{0, ""}};
    Store upTo;
    for (auto& shadow : store) {
        upTo.push_back(std::move(shadow));
        complete.emplace_back(fw::WriteStoreFile(upTo).size(), Describe(upTo));
    }
    for (std::size_t length = 0; length < file.size(); ++length) {
        Loaded loaded = Load(Bytes(file.begin(), file.begin() + length));
        EXPECT_EQ(loaded.error, fw::ArchiveError::endOfFile) << length;
        std::string expected;
        for (const auto& [end, described] : complete) {
            if (end <= length) expected = described;
        }
        ASSERT_EQ(Describe(loaded.store), expected) << length;
    }
}

TEST(StoreFile, MalformedRecordStopsTheLoadAndIsDiscarded) {
    // A valid first record, then a second that goes wrong; numbers so far: class CSgShadow 1,
    // record 2, class CSgCommand 3, command 4.
    const std::string first = kHeader2 +
                              "FF FF 01 00 09 00 'CSgShadow'  01 'A'  01 'a'  01 00 00 00"
                              "FF FF 00 00 0A 00 'CSgCommand'  01 00 00 00  01 'x'"
                              "01 00 00 00";
    struct Case {
        const char* name;
        const char* second;
        fw::ArchiveError expected;
    };
    const Case cases[] = {
        {"null tag", "00 00", fw::ArchiveError::badIndex},
        {"object reference", "02 00", fw::ArchiveError::badIndex},
        {"long object reference", "FF 7F 02 00 00 00", fw::ArchiveError::badIndex},
        {"class 0", "00 80", fw::ArchiveError::badIndex},
        {"number of an object", "02 80", fw::ArchiveError::badIndex},
        {"number not given yet", "05 80", fw::ArchiveError::badIndex},
        {"long number not given yet", "FF 7F 05 00 00 80", fw::ArchiveError::badIndex},
        {"unknown class", "FF FF 01 00 09 00 'CSgShadoW'", fw::ArchiveError::badClass},
        {"class name of 64 bytes",
         "FF FF 01 00 40 00 'CCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCCC'",
         fw::ArchiveError::badClass},
        {"wrong schema", "FF FF 02 00 09 00 'CSgShadow'", fw::ArchiveError::badSchema},
        {"command as a record", "03 80  01 00 00 00  01 'y'", fw::ArchiveError::badClass},
        {"record as a command", "01 80  01 'B'  01 'b'  01 00 00 00  01 80",
         fw::ArchiveError::badClass},
        {"command class with a wrong schema",
         "01 80  01 'B'  01 'b'  01 00 00 00  FF FF 01 00 0A 00 'CSgCommand'",
         fw::ArchiveError::badSchema},
        {"more commands than the file holds",
         "01 80  01 'B'  01 'b'  FF FF FF 7F  03 80 02 00 00 00 01 'y'",
         fw::ArchiveError::endOfFile},
        {"UTF-16 string without a converter", "01 80  FF FE FF 01 42 00",
         fw::ArchiveError::badString},
    };
    const std::string firstOnly = Describe(Load(Fixture(first)).store);
    ASSERT_NE(firstOnly, "");
    for (const Case& c : cases) {
        Loaded loaded = Load(Fixture(first + c.second));
        EXPECT_EQ(loaded.error, c.expected) << c.name;
        EXPECT_EQ(Describe(loaded.store), firstOnly) << c.name;
    }
}

TEST(StoreFile, NothingThrownWhileReadingLeavesTheReader) {
    const Bytes file = Fixture(
        "46 25 51 5D  00 00 00 00  01 00 00 00"
        "FF FF 01 00 09 00 'CSgShadow'  FF FE FF 01 42 00  01 'b'  00 00 00 00  00 00 00 00");
    auto failing = [](std::u16string_view) -> std::string { throw std::runtime_error("no"); };
    Loaded loaded;
    EXPECT_NO_THROW(loaded = Load(file, failing));
    EXPECT_EQ(loaded.error, fw::ArchiveError::generic);
    EXPECT_TRUE(loaded.store.empty());
}

}  // namespace
