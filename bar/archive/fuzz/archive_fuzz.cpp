// Reads arbitrary bytes as a data file. Whatever the reader keeps must write out, read back
// whole and write out again to the same bytes; any sanitizer report or leak is a failure.
#include <cstdint>
#include <cstdlib>

#include "bar/archive/store_file.h"
#include "bar/archive/tests/sg_records.h"

namespace {

// As WideCharToMultiByte does with characters the code page lacks: the default character.
std::string ToAnsi(std::u16string_view text) {
    std::string ansi;
    for (char16_t unit : text) ansi += unit < 0x80 ? static_cast<char>(unit) : '?';
    return ansi;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    archive_sample::Store read;
    fw::ReadStoreFile(fw::ByteSpan{data, size}, ToAnsi, read);

    const std::vector<std::uint8_t> written = fw::WriteStoreFile(read);
    archive_sample::Store reread;
    const fw::ArchiveError error =
        fw::ReadStoreFile(fw::ByteSpan{written.data(), written.size()}, ToAnsi, reread);
    if (error != fw::ArchiveError::none) std::abort();
    if (archive_sample::Describe(reread) != archive_sample::Describe(read)) std::abort();
    if (fw::WriteStoreFile(reread) != written) std::abort();
    return 0;
}
