// A data file on disk, at the path a locator names for reading or for saving (DataFilePath for
// the program). The file's folder is created, with its parents, before the file is opened.
// Failures are silent: the results alone tell.
//
// A save never truncates the file in place: the bytes go to "<path>.tmp" beside it, and only a
// file written, flushed and closed in whole replaces the old one. A crash, a full disk or a
// failed write therefore keeps everything learned before; the stored form is the same.
#pragma once

#include <functional>
#include <string>

#include "bar/datafile/data_file.h"

class DiskDataFile : public DataFile {
public:
    using Locate = std::function<std::string(bool forSaving)>;

    explicit DiskDataFile(Locate locate) : m_locate(std::move(locate)) {}

    // Opened with writes by others denied, for as long as it is read.
    std::optional<std::vector<std::uint8_t>> Read() override;
    // The temporary file, opened for this writer alone; null when it cannot be created (then
    // nothing is removed: the name may be another save's).
    std::unique_ptr<DataFileWriter> Rewrite() override;
    // WideCharToMultiByte with the ANSI code page.
    std::string ToAnsi(std::u16string_view text) const override;
    // Beside the file read, as UnreadablePath names it; written and replaced as a save is.
    bool KeepUnreadable(const std::vector<std::uint8_t>& bytes) override;

    // The name a save writes before it replaces `path`.
    static std::string TemporaryPath(const std::string& path) { return path + ".tmp"; }
    // The copy of a file at `path` that could not be read whole ("Hintrail.dat.bad").
    static std::string UnreadablePath(const std::string& path) { return path + ".bad"; }

private:
    // A writer that replaces `path` once committed.
    static std::unique_ptr<DataFileWriter> Replace(std::string path);

    Locate m_locate;
};
