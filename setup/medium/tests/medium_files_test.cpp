// The files of the medium that the build makes: read back as the bar and a user's editor would.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "bar/archive/store_file.h"
#include "help/generator/cp932.h"
#include "setup/medium/readme_text.h"

namespace {

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(WithCrLf, EndsEveryLineWithCrLfOnce) {
    EXPECT_EQ(WithCrLf(""), "");
    EXPECT_EQ(WithCrLf("a\nb\n"), "a\r\nb\r\n");
    EXPECT_EQ(WithCrLf("\n\n"), "\r\n\r\n");
    EXPECT_EQ(WithCrLf("a\r\nb\nc"), "a\r\nb\r\nc");
}

TEST(MediumDataFile, IsTheDataFileOfAnEmptyStore) {
    const std::string bytes = Bytes(HINTRAIL_MEDIUM "/Hintrail.da_");
    ASSERT_GE(bytes.size(), 4u);
    std::vector<std::unique_ptr<fw::CObject>> records;
    const fw::ByteSpan span{reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
    EXPECT_EQ(fw::ReadStoreFile(span, nullptr, records), fw::ArchiveError::none);
    EXPECT_TRUE(records.empty());
    // The full layout: magic, reserved, no records.
    EXPECT_EQ(bytes, std::string("\x46\x25\x51\x5D\0\0\0\0\0\0\0\0", 12));
}

TEST(MediumReadMe, IsTheSourceInCodePage932WithCrLf) {
    const std::string readme = Bytes(HINTRAIL_MEDIUM "/ReadMe.txt");
    EXPECT_EQ(readme, helpgen::Utf8ToCp932(WithCrLf(Bytes(HINTRAIL_README_SOURCE))));
    for (std::size_t i = 0; i < readme.size(); ++i) {
        if (readme[i] == '\n') {
            EXPECT_EQ(readme[i - 1], '\r') << "at byte " << i;
        }
    }
    // Literals are compiled into code page 932 too.
    for (const char* words : {"インストール", "アンインストール", "Setup.exe", "Hintrail.dat"}) {
        EXPECT_NE(readme.find(words), std::string::npos) << words;
    }
}

}  // namespace
