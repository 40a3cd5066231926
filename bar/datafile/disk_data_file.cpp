#include "bar/datafile/disk_data_file.h"

#include <windows.h>

#include <algorithm>
#include <climits>

#include "bar/archive/archive.h"
#include "bar/datafile/path_parts.h"
#include "common/directory_tree.h"
#include "common/win_handles.h"

namespace {

// ReadFile and WriteFile move at most a DWORD at a time; stay well below it.
constexpr std::size_t kChunk = 1u << 30;

void CreateFolderOf(const std::string& path) {
    const PathParts parts(path);
    CreateDirectoryTreeQuietly(parts.drive + parts.directory);
}

bool WriteAll(HANDLE file, const std::vector<std::uint8_t>& bytes) {
    for (std::size_t at = 0; at < bytes.size();) {
        const DWORD want = static_cast<DWORD>(std::min(bytes.size() - at, kChunk));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + at, want, &written, nullptr) || written == 0) return false;
        at += written;
    }
    return true;
}

class DiskDataFileWriter : public DataFileWriter {
public:
    DiskDataFileWriter(ScopedFile file, std::string temporary, std::string path)
        : m_file(std::move(file)), m_temporary(std::move(temporary)), m_path(std::move(path)) {}
    DiskDataFileWriter(const DiskDataFileWriter&) = delete;
    DiskDataFileWriter& operator=(const DiskDataFileWriter&) = delete;
    ~DiskDataFileWriter() override {
        if (m_committed) return;
        m_file.Reset();
        DeleteFileA(m_temporary.c_str());
    }

    bool Append(const std::vector<std::uint8_t>& bytes) override { return m_file && WriteAll(m_file.Get(), bytes); }

    bool Commit() override {
        // Flushed before it takes the old file's place, so that place never holds less.
        if (!m_file || !FlushFileBuffers(m_file.Get())) return false;
        m_file.Reset();  // closed before it moves
        m_committed =
            MoveFileExA(m_temporary.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        return m_committed;
    }

private:
    ScopedFile m_file;
    std::string m_temporary;
    std::string m_path;
    bool m_committed = false;
};

}  // namespace

std::optional<std::vector<std::uint8_t>> DiskDataFile::Read() {
    const std::string path = m_locate(false);
    CreateFolderOf(path);
    const ScopedFile file(
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > SIZE_MAX) return std::nullopt;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size.QuadPart));
    std::size_t got = 0;
    while (got < bytes.size()) {
        const DWORD want = static_cast<DWORD>(std::min(bytes.size() - got, kChunk));
        DWORD read = 0;
        if (!ReadFile(file.Get(), bytes.data() + got, want, &read, nullptr)) return std::nullopt;
        if (read == 0) break;  // shorter than it was a moment ago
        got += read;
    }
    bytes.resize(got);
    return bytes;
}

std::unique_ptr<DataFileWriter> DiskDataFile::Rewrite() {
    std::string path = m_locate(true);
    CreateFolderOf(path);
    return Replace(std::move(path));
}

bool DiskDataFile::KeepUnreadable(const std::vector<std::uint8_t>& bytes) {
    // The file a load reads is still there and in the same place: only a save moves it.
    const std::unique_ptr<DataFileWriter> copy = Replace(UnreadablePath(m_locate(false)));
    return copy && copy->Append(bytes) && copy->Commit();
}

std::unique_ptr<DataFileWriter> DiskDataFile::Replace(std::string path) {
    std::string temporary = TemporaryPath(path);
    ScopedFile file(
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return nullptr;
    return std::make_unique<DiskDataFileWriter>(std::move(file), std::move(temporary), std::move(path));
}

std::string DiskDataFile::ToAnsi(std::u16string_view text) const {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 units are Windows' wide characters");
    if (text.empty()) return {};
    if (text.size() > INT_MAX) throw fw::CArchiveException(fw::ArchiveError::badString);
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int units = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(CP_ACP, 0, wide, units, nullptr, 0, nullptr, nullptr);
    if (size <= 0) throw fw::CArchiveException(fw::ArchiveError::badString);
    std::string ansi(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, units, ansi.data(), size, nullptr, nullptr);
    return ansi;
}
