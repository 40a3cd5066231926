// hintrail-helpgen SOURCE HLP CNT: turns the help's UTF-8 source into the help file and its
// contents file. Runs on the build machine.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "help/generator/contents_file.h"
#include "help/generator/help_source.h"
#include "help/generator/winhelp_file.h"

namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

std::string FileName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A reproducible build takes its date from SOURCE_DATE_EPOCH.
std::uint32_t BuildDate() {
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) return static_cast<std::uint32_t>(std::strtoul(epoch, nullptr, 10));
    return static_cast<std::uint32_t>(std::time(nullptr));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s SOURCE HLP CNT\n", argv[0]);
        return 2;
    }
    try {
        const helpgen::HelpDocument doc = helpgen::ParseHelpSource(ReadFile(argv[1]));
        WriteFile(argv[2], helpgen::BuildWinHelpFile(doc, BuildDate()));
        WriteFile(argv[3], helpgen::BuildContentsFile(doc, FileName(argv[2])));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    return 0;
}
