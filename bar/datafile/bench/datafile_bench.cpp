// The real CommandStore::Load and Save of a store of 10,000 applications with 50 commands
// each, through the data file on disk, against a plain ReadFile and WriteFile of as many bytes
// in the same run. Prints figures (min and median of several runs) and their ratios; the goal
// is at most 5x. More lines show where the time goes: reading the file whole, building the
// same objects from memory without any file (the heap's share), replacing the file (a
// temporary file written, flushed and moved into its place), and Save against a plain write
// that is flushed to the disk as well.
//   datafile_bench [RUNS]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "bar/archive/store_file.h"
#include "bar/datafile/disk_data_file.h"
#include "bar/store/command_store.h"
#include "bar/store/tests/fake_desktop.h"
#include "common/win_handles.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr int kApps = 10000;
constexpr int kCommands = 50;

struct Timing {
    double minMs;
    double medianMs;
};

// `run` timed `runs` times; `after` runs untimed after each, to free what it made.
Timing Measure(int runs, const std::function<void()>& run, const std::function<void()>& after = [] {}) {
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        after();
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

void Report(const char* what, Timing t, const char* baseline, Timing b) {
    std::printf("%-22s %8.2f %8.2f ms   %-22s %7.2f %7.2f ms   %6.2fx %6.2fx\n", what, t.minMs, t.medianMs, baseline,
                b.minMs, b.medianMs, t.minMs / b.minMs, t.medianMs / b.medianMs);
}

void Fail(const char* what) {
    std::fprintf(stderr, "datafile_bench: %s failed\n", what);
    std::exit(1);
}

// The least a load must do: the same records and commands, their fields copied from memory.
void Rebuild(const CommandStore& from, CommandStore& to) {
    for (const auto& record : from.m_shadows) {
        auto copy = std::make_unique<CSgShadow>(ApplicationKey{record->m_strClassName, record->m_strExeName});
        for (const auto& command : record->m_commands) {
            auto commandCopy = std::make_unique<CSgCommand>();
            commandCopy->m_nID = command->m_nID;
            commandCopy->m_strText = command->m_strText;
            copy->m_commands.push_back(std::move(commandCopy));
        }
        copy->m_bMenuRead = record->m_bMenuRead;
        to.m_shadows.push_back(std::move(copy));
    }
}

// Commands of typical lengths, as the bar shows them.
void Fill(CommandStore& store) {
    static const char* const kCaptions[] = {"新規作成", "開く",     "上書き保存", "名前を付けて保存", "印刷", "元に戻す",
                                            "切り取り", "コピー",   "貼り付け",   "すべて選択",       "検索", "置換"};
    static const char* const kKeys[] = {"Ctrl+N", "Ctrl+O", "Ctrl+S", "F12", "Ctrl+P", "Ctrl+Z", "Ctrl+Shift+F10"};
    for (int app = 0; app < kApps; ++app) {
        auto record = std::make_unique<CSgShadow>(
            ApplicationKey{"AppWindowClass" + std::to_string(app), "app" + std::to_string(app) + ".exe"});
        for (int i = 0; i < kCommands; ++i) {
            const int k = app + i;
            auto command = std::make_unique<CSgCommand>();
            command->m_nID = 0xE100 + i;
            command->m_strText =
                std::string(kCaptions[k % std::size(kCaptions)]) + "<" + kKeys[k % std::size(kKeys)] + ">";
            record->m_commands.push_back(std::move(command));
        }
        record->m_bMenuRead = 1;
        store.m_shadows.push_back(std::move(record));
    }
}

// `flush`: the bytes on the disk before it returns, as a save makes sure of.
void PlainWrite(const std::string& path, const Bytes& bytes, bool flush) {
    const ScopedFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file || !WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || (flush && !FlushFileBuffers(file.Get()))) {
        Fail("plain write");
    }
}

void PlainRead(const std::string& path, Bytes& bytes) {
    const ScopedFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.Get(), &size)) Fail("plain read");
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) || read != bytes.size()) {
        Fail("plain read");
    }
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "datafile_bench.dat";
    const std::string plainPath = std::string(temp) + "datafile_bench_plain.dat";

    fake::App app;
    const auto newStore = [&app, &path] {
        auto store = std::make_unique<CommandStore>(app, std::make_unique<fake::Desktop>());
        store->SetDataFile(std::make_unique<DiskDataFile>([path](bool) { return path; }));
        return store;
    };
    // Deleting a store saves it; a measured one goes without.
    const auto discard = [](std::unique_ptr<CommandStore>& store) {
        if (!store) return;
        store->SetDataFile(nullptr);
        store.reset();
    };

    std::unique_ptr<CommandStore> store = newStore();
    Fill(*store);
    if (!store->Save()) Fail("first save");
    const Bytes file = fw::WriteStoreFile(store->m_shadows);
    std::printf("store: %d applications x %d commands, %zu bytes; min and median of %d runs\n", kApps, kCommands,
                file.size(), runs);

    Bytes bytes;
    const Timing plainWrite = Measure(runs, [&] { PlainWrite(plainPath, file, false); });
    const Timing plainFlushed = Measure(runs, [&] { PlainWrite(plainPath, file, true); });
    const Timing plainRead = Measure(runs, [&] { PlainRead(plainPath, bytes); }, [&] { Bytes().swap(bytes); });
    const Timing save = Measure(runs, [&] {
        if (!store->Save()) Fail("save");
    });
    DiskDataFile disk([path](bool) { return path; });
    const Timing replace = Measure(runs, [&] {
        if (!disk.Write(file)) Fail("replace");
    });

    std::unique_ptr<CommandStore> loaded;
    const Timing build = Measure(
        runs,
        [&] {
            loaded = newStore();
            Rebuild(*store, *loaded);
        },
        [&] { discard(loaded); });
    const Timing load = Measure(
        runs,
        [&] {
            loaded = newStore();
            if (!loaded->Load() || loaded->m_shadows.size() != kApps) Fail("load");
        },
        [&] { discard(loaded); });
    const Timing read = Measure(runs, [&] {
        if (!disk.Read()) Fail("read");
    });

    std::printf("%-22s %8s %8s      %-22s %7s %7s      %7s %7s\n", "", "min", "median", "against", "min", "median",
                "min", "median");
    Report("Load", load, "plain ReadFile", plainRead);
    Report("  of it: file read", read, "plain ReadFile", plainRead);
    Report("Load", load, "same objects, no file", build);
    Report("Save", save, "plain WriteFile", plainWrite);
    Report("  of it: replacement", replace, "plain WriteFile", plainWrite);
    Report("Save", save, "WriteFile + flush", plainFlushed);
    std::printf("goal: Load and Save at most 5x the plain ReadFile and WriteFile\n");

    discard(store);
    DeleteFileA(path.c_str());
    DeleteFileA(plainPath.c_str());
    return 0;
}
