// Writes the report fuzzer's seed corpus into the folder given: reports whose menu items the
// library's own writer made, and a record without items.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "bar/hook/fuzz/report_fuzz_input.h"
#include "bar/hook/tests/table_menus.h"
#include "hooklib/hook_protocol.h"
#include "hooklib/menu_items_writer.h"

using namespace hr::hook;
using hook_sample::TableItem;
using hook_sample::TableMenus;

namespace {

using Writer = MenuItemsWriter<TableMenus, int>;

// The fuzzer's input for a report of `message`: its picking byte, the record, then the items.
std::vector<unsigned char> Input(std::uintptr_t message, const std::vector<unsigned char>& items) {
    const auto picked =
        std::find(std::begin(report_fuzz::kMessages), std::end(report_fuzz::kMessages), message);
    std::vector<unsigned char> bytes{
        static_cast<unsigned char>(picked - std::begin(report_fuzz::kMessages))};
    const HookReport record{0x00010234, 0x00020065, 0xFFFF0001};
    const auto* raw = reinterpret_cast<const unsigned char*>(&record);
    bytes.insert(bytes.end(), raw, raw + sizeof(record));
    bytes.insert(bytes.end(), items.begin(), items.end());
    return bytes;
}

std::vector<unsigned char> Items(TableMenus& menus, int menu) {
    std::vector<unsigned char> buffer(Writer::kBufferBytes);
    buffer.resize(Writer(menus, buffer.data()).Write(menu));
    return buffer;
}

bool Save(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: report_fuzz_seeds FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];

    TableMenus menus;
    const int edit = menus.Add({{0x301, "Undo\tCtrl+Z"}, {0, ""}, {0x302, "Cut\tCtrl+X"}});
    const int recent = menus.Add({{0x201, "1 a.txt"}});
    const int file = menus.Add({{0x101, "&Open...\tCtrl+O"}, {kNoCommandId, "&Recent", recent}});
    const int bar =
        menus.Add({{kNoCommandId, "&File", file}, {kNoCommandId, "&Edit", edit}, {0x401, "&Help"}});

    // Its own last item opens it again: the writer stops at the deepest level.
    const int loop = menus.Add({{7, "x\tF7"}, {kNoCommandId, "", 0}});
    menus.Items(loop)[1].popup = loop;

    std::vector<TableItem> many;
    for (std::uint32_t id = 1; id <= kMaxMenuItems; ++id) {
        many.push_back({id, std::string(kMaxMenuText, 'm')});
    }
    const int largest = menus.Add(many);
    const int empty = menus.Add({});

    const bool saved = Save(folder + "/menu-bar", Input(kNcActivate, Items(menus, bar))) &&
                       Save(folder + "/deepest", Input(kInitMenuPopup, Items(menus, loop))) &&
                       Save(folder + "/largest", Input(kInitMenuPopup, Items(menus, largest))) &&
                       Save(folder + "/empty-menu", Input(kInitMenuPopup, Items(menus, empty))) &&
                       Save(folder + "/record", Input(kCommand, {}));
    if (!saved) std::cerr << "report_fuzz_seeds: cannot write into " << folder << "\n";
    return saved ? 0 : 1;
}
