// Counts and lengths in a file are claims: one larger than what is left must end the load
// without memory being asked for it. This program watches every allocation to see that.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "bar/archive/store_file.h"
#include "bar/archive/tests/fixture_bytes.h"
#include "bar/archive/tests/sg_records.h"

namespace {

bool g_watching = false;
std::size_t g_largest = 0;

void* Allocate(std::size_t size) noexcept {
    if (g_watching && size > g_largest) g_largest = size;
    return std::malloc(size ? size : 1);
}

}  // namespace

void* operator new(std::size_t size) {
    if (void* p = Allocate(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

namespace {

using archive_sample::Fixture;
using archive_sample::Store;

TEST(BadInput, ClaimsBeyondTheFileFailWithoutAllocatingForThem) {
    auto toAnsi = [](std::u16string_view) { return std::string("?"); };
    const std::string header = "46 25 51 5D  00 00 00 00  01 00 00 00 ";
    const std::string record = "FF FF 01 00 09 00 'CSgShadow'  01 'A' ";  // up to the exe name
    struct Case {
        const char* name;
        std::string bytes;
        std::size_t kept;
    };
    const Case cases[] = {
        {"4 billion records in 20 bytes",
         "46 25 51 5D  00 00 00 00  FF FF FF FF  FF FF 01 00 09 00 'CS'", 0},
        {"4 billion records, short layout", "BA DC 0F FE  FF FF FF FF", 0},
        {"string of 4 GiB", header + record + "FF FF FF FF FF FF FF 'AB'", 0},
        {"UTF-16 string of 4 G units", header + record + "FF FE FF FF FF FF FF FF FF 41 00", 0},
        {"2 billion commands", header + record + "01 'a'  FF FF FF 7F", 0},
        {"a string of 4 GiB after a good record",
         "46 25 51 5D  00 00 00 00  FF FF FF FF " + record +
             "01 'a'  00 00 00 00  00 00 00 00  01 80  FF FF FF FF FF FF FF",
         1},
    };
    for (const Case& c : cases) {
        const std::vector<std::uint8_t> bytes = Fixture(c.bytes);
        Store store;
        g_largest = 0;
        g_watching = true;
        const fw::ArchiveError error =
            fw::ReadStoreFile(fw::ByteSpan{bytes.data(), bytes.size()}, toAnsi, store);
        g_watching = false;
        EXPECT_EQ(error, fw::ArchiveError::endOfFile) << c.name;
        EXPECT_EQ(store.size(), c.kept) << c.name;
        EXPECT_LT(g_largest, 1024u) << c.name;
    }
}

}  // namespace
