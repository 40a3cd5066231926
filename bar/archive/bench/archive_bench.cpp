// Loads and saves a store of 10,000 applications with 50 commands each and prints the times
// against plain copies of as many bytes, in memory and through a file. Two more baselines show
// what the archive itself adds: building the same objects from memory, and walking them to
// append their fields, both without the archive.
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bar/archive/store_file.h"
#include "bar/archive/tests/sg_records.h"

namespace {

using archive_sample::Store;
using Bytes = std::vector<std::uint8_t>;
using Clock = std::chrono::steady_clock;

constexpr int kApps = 10000;
constexpr int kCommands = 50;
constexpr int kRuns = 21;
constexpr std::size_t kPiece = 4096;  // what the storing archive appends at a time

struct Timing {
    double minMs;
    double medianMs;
};

// `run` timed kRuns times; `after` runs untimed after each, to free what it made.
Timing Measure(const std::function<void()>& run, const std::function<void()>& after) {
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = Clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        after();
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[kRuns / 2]};
}

void Report(const char* what, Timing t, const char* baseline, Timing b) {
    std::printf("%-13s %7.2f %7.2f ms   %-28s %7.2f %7.2f ms   %6.2fx %6.2fx\n", what, t.minMs,
                t.medianMs, baseline, b.minMs, b.medianMs, t.minMs / b.minMs,
                t.medianMs / b.medianMs);
}

std::string ToAnsi(std::u16string_view) { return "?"; }

// The least a loader must do: the same objects, their fields copied from memory.
Store Rebuild(const Store& from) {
    Store store;
    for (const auto& shadow : from) {
        auto copy = std::make_unique<archive_sample::CSgShadow>();
        copy->m_strClassName = shadow->m_strClassName;
        copy->m_strExeName = shadow->m_strExeName;
        for (const auto& command : shadow->m_commands) {
            auto commandCopy = std::make_unique<archive_sample::CSgCommand>();
            commandCopy->m_nID = command->m_nID;
            commandCopy->m_strText = command->m_strText;
            copy->m_commands.push_back(std::move(commandCopy));
        }
        copy->m_bMenuRead = shadow->m_bMenuRead;
        store.push_back(std::move(copy));
    }
    return store;
}

// The least a saver must do: every object visited, its fields appended as bytes.
void AppendFields(const Store& store, Bytes& out) {
    const auto append = [&out](const void* data, std::size_t size) {
        const auto* first = static_cast<const std::uint8_t*>(data);
        out.insert(out.end(), first, first + size);
    };
    for (const auto& shadow : store) {
        append(shadow->m_strClassName.data(), shadow->m_strClassName.size());
        append(shadow->m_strExeName.data(), shadow->m_strExeName.size());
        for (const auto& command : shadow->m_commands) {
            append(&command->m_nID, sizeof command->m_nID);
            append(command->m_strText.data(), command->m_strText.size());
        }
        append(&shadow->m_bMenuRead, sizeof shadow->m_bMenuRead);
    }
}

void WriteFile(const char* path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path, "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) std::abort();
    std::fclose(f);
}

Bytes ReadFile(const char* path, std::size_t size) {
    Bytes bytes(size);
    std::FILE* f = std::fopen(path, "rb");
    if (!f || std::fread(bytes.data(), 1, size, f) != size) std::abort();
    std::fclose(f);
    return bytes;
}

}  // namespace

int main() {
    // Freed memory stays with the process, so every run reuses it: the figures then show the
    // work done, not how this machine's kernel hands out fresh pages.
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
    mallopt(M_TRIM_THRESHOLD, 1 << 30);

    // The store as the program holds it after loading, its objects allocated in file order.
    const Bytes file = fw::WriteStoreFile(archive_sample::MakeStore(kApps, kCommands));
    Store store;
    if (fw::ReadStoreFile(fw::ByteSpan{file.data(), file.size()}, ToAnsi, store) !=
        fw::ArchiveError::none) {
        std::abort();
    }
    std::printf("store: %d applications x %d commands, %zu bytes; min and median of %d runs\n",
                kApps, kCommands, file.size(), kRuns);

    Bytes bytes;
    Store made;
    const auto freeAll = [&] {
        Bytes().swap(bytes);
        Store().swap(made);
    };
    const auto load = [&](const Bytes& from) {
        if (fw::ReadStoreFile(fw::ByteSpan{from.data(), from.size()}, ToAnsi, made) !=
            fw::ArchiveError::none) {
            std::abort();
        }
    };
    const auto appendInPieces = [&] {
        for (std::size_t at = 0; at < file.size(); at += kPiece) {
            bytes.insert(bytes.end(), file.begin() + at,
                         file.begin() + std::min(at + kPiece, file.size()));
        }
    };

    const Timing plainRead = Measure([&] { bytes.assign(file.begin(), file.end()); }, freeAll);
    const Timing plainWrite = Measure(appendInPieces, freeAll);
    const Timing build = Measure([&] { made = Rebuild(store); }, freeAll);
    const Timing loadMemory = Measure([&] { load(file); }, freeAll);
    const Timing walk = Measure([&] { AppendFields(store, bytes); }, freeAll);
    const Timing saveMemory = Measure([&] { bytes = fw::WriteStoreFile(store); }, freeAll);
    if (fw::WriteStoreFile(store) != file) std::abort();

    // Through a file, which the system keeps in its cache as it nearly always does.
    const char* path = "archive_bench.dat";
    WriteFile(path, file);
    const Timing plainFileRead = Measure([&] { bytes = ReadFile(path, file.size()); }, freeAll);
    const Timing loadFile = Measure([&] { load(ReadFile(path, file.size())); }, freeAll);
    const Timing plainFileWrite = Measure([&] { WriteFile(path, file); }, freeAll);
    const Timing saveFile = Measure([&] { WriteFile(path, fw::WriteStoreFile(store)); }, freeAll);
    std::remove(path);

    std::printf("%-13s %7s %7s      %-28s %7s %7s      %7s %7s\n", "", "min", "median", "against",
                "min", "median", "min", "median");
    Report("load", loadMemory, "plain read (copy)", plainRead);
    Report("load", loadMemory, "same objects, no archive", build);
    Report("save", saveMemory, "plain write (4 KiB appends)", plainWrite);
    Report("save", saveMemory, "same objects, no archive", walk);
    Report("load (file)", loadFile, "plain file read", plainFileRead);
    Report("save (file)", saveFile, "plain file write", plainFileWrite);
    std::printf("goal: load and save at most 5x the plain read and write\n");
    return 0;
}
