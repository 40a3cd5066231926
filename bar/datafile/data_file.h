// Where the store keeps what it learned between runs: the data file. The store reads it whole
// once at start-up and writes it anew at shutdown (CommandStore::Load, Save). The program's is
// Hintrail.dat where DataFilePath says (bar/datafile/disk_data_file.h); tests give the store
// one of their own.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A new data file being written. It takes the place of the old one only when committed after
// all its bytes were appended; dropped uncommitted, it is gone and the old file stays as it was.
class DataFileWriter {
public:
    virtual ~DataFileWriter() = default;

    virtual bool Append(const std::vector<std::uint8_t>& bytes) = 0;
    // False when the new file could not take the old one's place: the old file then stays.
    virtual bool Commit() = 0;
};

class DataFile {
public:
    virtual ~DataFile() = default;

    // The whole file, or nullopt when there is none or it cannot be read.
    virtual std::optional<std::vector<std::uint8_t>> Read() = 0;
    // A new file to write, or null when none can be started.
    virtual std::unique_ptr<DataFileWriter> Rewrite() = 0;
    // A string the file holds in UTF-16, in the ANSI code page.
    virtual std::string ToAnsi(std::u16string_view text) const = 0;
    // Keeps the bytes of a file that could not be read whole in a copy of its own, replacing
    // the copy of an earlier failure, so that the next save, which writes only what was read,
    // loses nothing for good. False when the copy could not be made.
    virtual bool KeepUnreadable(const std::vector<std::uint8_t>& bytes) = 0;

    // Makes `bytes` the whole file; on false the file is as it was before.
    bool Write(const std::vector<std::uint8_t>& bytes) {
        const std::unique_ptr<DataFileWriter> writer = Rewrite();
        return writer && writer->Append(bytes) && writer->Commit();
    }
};

// The program's data file, where DataFilePath says (Windows only).
std::unique_ptr<DataFile> OpenProgramDataFile();
