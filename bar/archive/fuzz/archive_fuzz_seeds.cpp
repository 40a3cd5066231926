// Writes the fuzzer's seed corpus into the folder given: data files as the writer makes them,
// and one in the short layout.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "bar/archive/store_file.h"
#include "bar/archive/tests/sg_records.h"

using archive_sample::MakeShadow;
using archive_sample::MakeStore;
using archive_sample::Store;

namespace {

bool Save(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: archive_fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];

    Store firstWithoutCommands;
    firstWithoutCommands.push_back(MakeShadow("Notepad", "notepad.exe", {}, 0));
    firstWithoutCommands.push_back(MakeShadow("XLMAIN", "excel.exe", {{0xE103, "Open<Ctrl+O>"}}));

    Store longStrings;
    longStrings.push_back(MakeShadow(std::string(255, 'c'), std::string(254, 'e'),
                                     {{0xFFFFFFFF, std::string(300, 't')}, {0, ""}}));

    // The full layout less its magic, the reserved word overwritten by the short first word.
    std::vector<std::uint8_t> shortLayout = fw::WriteStoreFile(MakeStore(2, 2));
    shortLayout.erase(shortLayout.begin(), shortLayout.begin() + 4);
    const std::uint8_t firstWord[] = {0xBA, 0xDC, 0x0F, 0xFE};
    std::copy(std::begin(firstWord), std::end(firstWord), shortLayout.begin());

    const bool saved =
        Save(folder + "/empty", fw::WriteStoreFile(Store{})) &&
        Save(folder + "/one", fw::WriteStoreFile(MakeStore(1, 1))) &&
        Save(folder + "/several", fw::WriteStoreFile(MakeStore(4, 3))) &&
        Save(folder + "/first-without-commands", fw::WriteStoreFile(firstWithoutCommands)) &&
        Save(folder + "/long-strings", fw::WriteStoreFile(longStrings)) &&
        Save(folder + "/short-layout", shortLayout);
    if (!saved) std::cerr << "archive_fuzz_seeds: cannot write into " << folder << "\n";
    return saved ? 0 : 1;
}
