// Writes the two files of the distribution medium that are made rather than built, on the
// build machine:
//   hintrail-mediagen data OUT        the data file of an empty store (Hintrail.da_)
//   hintrail-mediagen readme IN OUT   the read-me, UTF-8 with LF in, code page 932 with CR LF out
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bar/archive/store_file.h"
#include "help/generator/cp932.h"
#include "setup/medium/readme_text.h"

namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string EmptyStore() {
    const std::vector<std::unique_ptr<fw::CObject>> noRecords;
    const std::vector<std::uint8_t> bytes = fw::WriteStoreFile(noRecords);
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 2 && args[0] == "data") {
            WriteFile(args[1], EmptyStore());
        } else if (args.size() == 3 && args[0] == "readme") {
            WriteFile(args[2], helpgen::Utf8ToCp932(WithCrLf(ReadFile(args[1]))));
        } else {
            std::cerr << "usage: hintrail-mediagen data OUT | readme IN OUT\n";
            return 2;
        }
    } catch (const std::exception& e) {
        std::cerr << "hintrail-mediagen: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
