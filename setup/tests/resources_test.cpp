// The resources of Setup.exe as Windows reads them: the five page templates control by control,
// the explanation strings and the picture, byte for byte in code page 932.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "bar/tests/bar_process.h"
#include "setup/tests/setup_texts.h"

namespace {

using namespace setuptest;

// Window classes in lower case; a template may name them or give their numbers.
const std::string kButton = "button", kEdit = "edit", kStatic = "static";
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr DWORD kGroupStyle = WS_CHILD | WS_VISIBLE | BS_GROUPBOX;

struct Item {
    int id;  // -1: none
    std::string windowClass;
    DWORD style;
    short x, y, cx, cy;
    std::string text;  // "#130" for a resource number
    bool operator==(const Item& o) const {
        return id == o.id && windowClass == o.windowClass && style == o.style && x == o.x &&
               y == o.y && cx == o.cx && cy == o.cy && text == o.text;
    }
};

void PrintTo(const Item& item, std::ostream* out) {
    *out << "{id " << item.id << ", class " << item.windowClass << ", style 0x" << std::hex
         << item.style << std::dec << ", " << item.x << "," << item.y << "," << item.cx << ","
         << item.cy << ", \"" << item.text << "\"}";
}

struct Template {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    std::string face;
    std::vector<Item> items;
};

class Reader {
public:
    explicit Reader(const BYTE* at) : at_(at) {}
    WORD Word() { WORD w; std::memcpy(&w, at_, 2); at_ += 2; return w; }
    DWORD Dword() { DWORD d; std::memcpy(&d, at_, 4); at_ += 4; return d; }
    short Short() { return static_cast<short>(Word()); }
    std::string Text() {  // a zero-terminated UTF-16 text, as code page 932
        std::wstring wide;
        for (WORD c; (c = Word()) != 0;) wide += static_cast<wchar_t>(c);
        if (wide.empty()) return {};
        char narrow[1024] = {};
        const int n = WideCharToMultiByte(932, 0, wide.data(), static_cast<int>(wide.size()), narrow,
                                          sizeof(narrow), nullptr, nullptr);
        return std::string(narrow, static_cast<size_t>(n));
    }
    // A text or, after 0xFFFF, a number written as "#<number>".
    std::string TextOrNumber() {
        WORD first;
        std::memcpy(&first, at_, 2);
        if (first != 0xFFFF) return Text();
        Word();
        return "#" + std::to_string(Word());
    }
    void AlignDword(const BYTE* base) {
        while ((at_ - base) % 4) ++at_;
    }

private:
    const BYTE* at_;
};

std::string ClassName(std::string text) {
    if (text == "#128") return kButton;
    if (text == "#129") return kEdit;
    if (text == "#130") return kStatic;
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

class SetupResources : public testing::Test {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA((bartest::TestProgramFolder() + "Setup.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override { FreeLibrary(module_); }

    const BYTE* Resource(int id, LPCSTR type) const {
        HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), type);
        return found ? static_cast<const BYTE*>(LockResource(LoadResource(module_, found))) : nullptr;
    }

    Template Dialog(int id) const {
        const BYTE* base = Resource(id, reinterpret_cast<LPCSTR>(RT_DIALOG));
        Template t;
        if (!base) return t;
        Reader r(base);
        t.style = r.Dword();
        r.Dword();  // extended style
        const WORD count = r.Word();
        r.Short();
        r.Short();
        t.cx = r.Short();
        t.cy = r.Short();
        r.TextOrNumber();  // menu
        r.TextOrNumber();  // class
        t.caption = r.Text();
        if (t.style & DS_SETFONT) {
            t.pointSize = r.Word();
            t.face = r.Text();
        }
        for (WORD i = 0; i < count; ++i) {
            r.AlignDword(base);
            Item item;
            item.style = r.Dword();
            r.Dword();
            item.x = r.Short();
            item.y = r.Short();
            item.cx = r.Short();
            item.cy = r.Short();
            item.id = static_cast<short>(r.Word());
            item.windowClass = ClassName(r.TextOrNumber());
            item.text = r.TextOrNumber();
            r.Word();  // no creation data
            t.items.push_back(item);
        }
        return t;
    }

    HMODULE module_ = nullptr;
};

struct Page {
    int id;
    std::vector<Item> controls;  // besides the picture, the group box and the explanation
    std::string explanation;
};

TEST_F(SetupResources, PageTemplatesHoldTheirControls) {
    const std::vector<Page> pages = {
        {24100,
         {{-1, kStatic, kLabelStyle, 35, 15, 170, 8, "処理を選択してください"},
          {24101, kButton, 0x50034009, 45, 30, 205, 10, "インストール(&I)"},
          {24102, kButton, 0x50004009, 45, 45, 205, 10, "アンインストール(&U)"}},
         ""},
        {24200,
         {{-1, kStatic, kLabelStyle, 35, 20, 66, 8, "コピー先のフォルダ(&F)"},
          {24201, kEdit, 0x50810080, 40, 35, 170, 14, ""},
          {24202, kButton, 0x50014000, 215, 35, 50, 14, "参照(&R)..."}},
         ""},
        {24300,
         {{24301, kButton, 0x50014003, 45, 30, 205, 10, "スタートメニューへ登録する(&M)"},
          {24302, kButton, 0x50014003, 45, 45, 205, 10, "スタートアップフォルダへ登録する(&S)"},
          {-1, kStatic, kLabelStyle, 35, 15, 185, 8, "オプションを選択してください"}},
         ""},
        {24400,
         {{-1, kStatic, kLabelStyle, 35, 15, 185, 8, "オプションを選択してください"},
          {24401, kButton, 0x50000009, 45, 30, 185, 10, "データを残して削除(&D)"},
          {24402, kButton, 0x50000009, 45, 45, 185, 10, "完全に削除(&C)"}},
         ""},
        {24500, {}, kExplainFinish},
    };
    for (const Page& page : pages) {
        SCOPED_TRACE(page.id);
        const Template t = Dialog(page.id);
        EXPECT_EQ(t.style, 0x48C00040u);
        EXPECT_EQ(t.cx, 276);
        EXPECT_EQ(t.cy, 140);
        EXPECT_EQ(t.caption, "Hintrail Ver.1.03 SETUP");
        EXPECT_EQ(t.pointSize, 9);
        EXPECT_EQ(t.face, "ＭＳ Ｐゴシック");
        std::vector<Item> expected = {{-1, kStatic, 0x5000100E, 0, 1, 28, 138, "#130"}};
        expected.insert(expected.end(), page.controls.begin(), page.controls.end());
        expected.push_back({-1, kButton, kGroupStyle, 35, 70, 235, 65, ""});
        expected.push_back({24000, kStatic, 0x50020080, 40, 80, 225, 50, page.explanation});
        EXPECT_EQ(t.items, expected);
    }
}

TEST_F(SetupResources, ExplanationsUnderTheirControlsIds) {
    const std::vector<std::pair<int, std::string>> strings = {
        {24101, kExplainInstall},   {24102, kExplainUninstall}, {24201, kExplainFolder},
        {24301, kExplainStartMenu}, {24302, kExplainStartup},   {24401, kExplainKeepData},
        {24402, kExplainRemoveAll},
    };
    for (const auto& [id, text] : strings) {
        char loaded[2048] = {};
        const int n = LoadStringA(module_, static_cast<UINT>(id), loaded, sizeof(loaded));
        EXPECT_EQ(std::string(loaded, n > 0 ? static_cast<size_t>(n) : 0), text) << id;
    }
    char none[16] = {};
    EXPECT_EQ(LoadStringA(module_, 24202, none, sizeof(none)), 0);  // the browse button has none
}

TEST_F(SetupResources, PictureIs47By205In16Colours) {
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(Resource(130, reinterpret_cast<LPCSTR>(RT_BITMAP)));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->biWidth, 47);
    EXPECT_EQ(info->biHeight, 205);
    EXPECT_EQ(info->biBitCount, 4);
    EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RLE4));
    // The static shows it as drawn: the picture loads at its own size.
    HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(module_, MAKEINTRESOURCEA(130), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(bitmap, nullptr);
    BITMAP size{};
    GetObjectA(bitmap, sizeof(size), &size);
    EXPECT_EQ(size.bmWidth, 47);
    EXPECT_EQ(size.bmHeight, 205);
    DeleteObject(bitmap);
}

}  // namespace
