// The store in its data file: the bytes the real records write, what a load gives back, and
// where a load stops. Runs natively and under Wine, over a data file held in memory.
#include "bar/store/command_store.h"

#include <gtest/gtest.h>

#include "bar/archive/tests/fixture_bytes.h"
#include "bar/store/tests/fake_desktop.h"

namespace {

using archive_sample::Fixture;
using Bytes = std::vector<std::uint8_t>;
using fake::Command;

// A data file in memory; what it holds outlives the store that owns the file object.
struct Held {
    std::optional<Bytes> bytes;
    bool writable = true;
    int writes = 0;
    std::optional<Bytes> kept;  // what KeepUnreadable was given last
};

class MemoryFile : public DataFile {
public:
    explicit MemoryFile(Held& held) : m_held(held) {}
    std::optional<Bytes> Read() override { return m_held.bytes; }
    std::unique_ptr<DataFileWriter> Rewrite() override { return std::make_unique<Writer>(m_held); }
    // Enough for the ASCII text the fixtures store as UTF-16.
    std::string ToAnsi(std::u16string_view text) const override { return std::string(text.begin(), text.end()); }
    bool KeepUnreadable(const Bytes& bytes) override {
        m_held.kept = bytes;
        return true;
    }

private:
    class Writer : public DataFileWriter {
    public:
        explicit Writer(Held& held) : m_held(held) {}
        bool Append(const Bytes& bytes) override {
            m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
            return true;
        }
        bool Commit() override {
            if (!m_held.writable) return false;
            m_held.bytes = m_bytes;
            ++m_held.writes;
            return true;
        }

    private:
        Held& m_held;
        Bytes m_bytes;
    };

    Held& m_held;
};

const ApplicationKey kEditor{"EditorFrame", "editor.exe"};
const ApplicationKey kViewer{"ViewerFrame", "viewer.exe"};

class StoreFile : public ::testing::Test {
protected:
    StoreFile() { store = NewStore(); }

    std::unique_ptr<CommandStore> NewStore() {
        auto owned = std::make_unique<fake::Desktop>();
        desktop = owned.get();
        return std::make_unique<CommandStore>(app, std::move(owned),
                                              std::make_unique<MemoryFile>(held));
    }

    // A new store over a file holding `file`; the store before it saves when it goes, so it
    // goes first.
    void StartWith(std::optional<Bytes> file) {
        store.reset();
        held.bytes = std::move(file);
        held.writes = 0;
        held.kept.reset();
        store = NewStore();
    }

    // Brings a window of the application to the front, with these menu-bar commands.
    void Activate(const ApplicationKey& key, std::vector<fake::Item> menuBar) {
        MenuHandle menu = menuBar.empty() ? nullptr : desktop->menus.Add(std::move(menuBar));
        store->OnActivate(desktop->AddWindow(key, menu), nullptr);
    }

    fake::App app;
    fake::Desktop* desktop = nullptr;
    Held held;
    std::unique_ptr<CommandStore> store;
};

const char kHeader2[] = "46 25 51 5D  00 00 00 00  02 00 00 00 ";
// The editor with two commands, then the viewer with one: each class is described once, then
// named by its number (class CSgShadow 1, record 2, class CSgCommand 3, commands 4 and 5,
// record 6, command 7).
const char kTwoRecords[] =
    "FF FF 01 00 09 00 'CSgShadow'  0B 'EditorFrame'  0A 'editor.exe'  02 00 00 00"
    "FF FF 00 00 0A 00 'CSgCommand'  01 00 00 00  0B 'New<Ctrl+N>'"
    "03 80  46 E1 00 00  0C '開く<Ctrl+O>'"
    "01 00 00 00"
    "01 80  0B 'ViewerFrame'  0A 'viewer.exe'  01 00 00 00"
    "03 80  03 00 01 00  05 'X<F1>'"
    "01 00 00 00";

TEST_F(StoreFile, AnEmptyStoreIsTheHeaderAlone) {
    EXPECT_TRUE(store->Save());
    EXPECT_EQ(held.bytes, Fixture("46 25 51 5D 00 00 00 00 00 00 00 00"));
}

TEST_F(StoreFile, RecordsAndCommandsAreWrittenInOrderWithTheirClassTags) {
    Activate(kEditor, {Command(1, "New\tCtrl+N"), Command(0xE146, "開く(&O)\tCtrl+O")});
    Activate(kViewer, {Command(0x10003, "X\tF1")});
    EXPECT_TRUE(store->Save());
    EXPECT_EQ(held.bytes, Fixture(std::string(kHeader2) + kTwoRecords));
}

TEST_F(StoreFile, CommandClassComesInWithTheFirstRecordThatHasCommands) {
    Activate(kEditor, {});  // no menu bar: no commands, menu not read
    Activate(kViewer, {Command(1, "A\tF1"), Command(2, "B\tF2")});
    EXPECT_TRUE(store->Save());
    EXPECT_EQ(held.bytes, Fixture(std::string(kHeader2) +
                                  "FF FF 01 00 09 00 'CSgShadow'  0B 'EditorFrame'  0A 'editor.exe'"
                                  "00 00 00 00  00 00 00 00"
                                  "01 80  0B 'ViewerFrame'  0A 'viewer.exe'  02 00 00 00"
                                  "FF FF 00 00 0A 00 'CSgCommand'  01 00 00 00  05 'A<F1>'"  // class 4
                                  "04 80  02 00 00 00  05 'B<F2>'"
                                  "01 00 00 00"));
}

TEST_F(StoreFile, SavingWhatWasLoadedGivesTheSameBytes) {
    const std::string records = kTwoRecords;
    // The short layout too: its next save is in the full one.
    for (const char* header : {kHeader2, "BA DC 0F FE  02 00 00 00 "}) {
        SCOPED_TRACE(header);
        StartWith(Fixture(header + records));
        EXPECT_TRUE(store->Load());
        ASSERT_EQ(store->m_shadows.size(), 2u);
        EXPECT_TRUE(store->Save());
        EXPECT_EQ(held.bytes, Fixture(kHeader2 + records));
        EXPECT_FALSE(held.kept) << "a file read whole is not kept aside";
    }
}

TEST_F(StoreFile, ALoadedApplicationShowsItsCommandsAtOnceWithoutReadingItsMenu) {
    held.bytes = Fixture(std::string(kHeader2) + kTwoRecords);
    ASSERT_TRUE(store->Load());
    Activate(kEditor, {Command(9, "Other\tF9")});
    EXPECT_EQ(app.texts.back(), "New<Ctrl+N>  開く<Ctrl+O>  ");
    EXPECT_EQ(desktop->menus.questions, 0);
    EXPECT_EQ(store->m_shadows.size(), 2u);
}

TEST_F(StoreFile, UTF16StringsAreStoredBackInAnsi) {
    held.bytes = Fixture(
        "46 25 51 5D  00 00 00 00  01 00 00 00"
        "FF FF 01 00 09 00 'CSgShadow'  FF FE FF 03 41 00 70 00 70 00  05 'a.exe'  00 00 00 00  01 00 00 00");
    ASSERT_TRUE(store->Load());
    EXPECT_TRUE(store->Save());
    EXPECT_EQ(held.bytes, Fixture("46 25 51 5D  00 00 00 00  01 00 00 00"
                                  "FF FF 01 00 09 00 'CSgShadow'  03 'App'  05 'a.exe'  00 00 00 00  01 00 00 00"));
}

TEST_F(StoreFile, AFailedLoadKeepsTheRecordsReadCompletely) {
    // The editor's record whole, then the viewer's record going wrong in some way.
    const std::string editor = std::string(kHeader2) +
                               "FF FF 01 00 09 00 'CSgShadow'  0B 'EditorFrame'  0A 'editor.exe'  01 00 00 00"
                               "FF FF 00 00 0A 00 'CSgCommand'  01 00 00 00  0B 'New<Ctrl+N>'"
                               "01 00 00 00";
    const struct {
        const char* name;
        const char* viewer;
    } cases[] = {
        {"file ends inside it", "01 80  0B 'ViewerFrame'  0A 'viewer.exe'  01 00 00 00  03 80  03 00"},
        {"file ends before it", ""},
        {"an unknown class", "FF FF 01 00 09 00 'CSgWindow'"},
        {"a wrong schema", "FF FF 00 00 09 00 'CSgShadow'"},
        {"a command where a record belongs", "03 80  01 00 00 00  01 'x'"},
        {"a record where a command belongs", "01 80  0B 'ViewerFrame'  0A 'viewer.exe'  01 00 00 00  01 80"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StartWith(Fixture(editor + c.viewer));
        EXPECT_FALSE(store->Load());
        ASSERT_EQ(store->m_shadows.size(), 1u);
        EXPECT_TRUE(store->m_shadows[0]->Matches(kEditor));
        ASSERT_EQ(store->m_shadows[0]->m_commands.size(), 1u);
        EXPECT_EQ(store->m_shadows[0]->m_commands[0]->m_strText, "New<Ctrl+N>");
        // The file as it was is kept before anything is saved over it.
        EXPECT_EQ(held.writes, 0);
        EXPECT_EQ(held.kept, Fixture(editor + c.viewer));
    }
}

TEST_F(StoreFile, WithoutAFileTheStoreStartsEmptyAndTheNextSaveMakesOne) {
    EXPECT_FALSE(store->Load());
    EXPECT_TRUE(store->m_shadows.empty());
    EXPECT_FALSE(held.kept) << "there was nothing to keep";
    Activate(kEditor, {Command(1, "New\tCtrl+N")});
    store.reset();  // the store saves once more when it goes
    EXPECT_EQ(held.writes, 1);
    StartWith(held.bytes);
    EXPECT_TRUE(store->Load());
    ASSERT_EQ(store->m_shadows.size(), 1u);
    EXPECT_TRUE(store->m_shadows[0]->Matches(kEditor));
}

TEST_F(StoreFile, AFailedSaveIsToldByItsResultAlone) {
    held.bytes = Fixture("46 25 51 5D 00 00 00 00 00 00 00 00");
    held.writable = false;
    Activate(kEditor, {Command(1, "New\tCtrl+N")});
    EXPECT_FALSE(store->Save());
    EXPECT_EQ(held.bytes, Fixture("46 25 51 5D 00 00 00 00 00 00 00 00"));
}

TEST_F(StoreFile, WithoutADataFileLoadAndSaveFail) {
    store = std::make_unique<CommandStore>(app, std::make_unique<fake::Desktop>());
    EXPECT_FALSE(store->Load());
    EXPECT_FALSE(store->Save());
}

}  // namespace
