// A file or folder path of the setup program, split into root, directory, base name and
// extension. Both '\' and '/' separate components when a path is read; a '\' that is the
// second byte of a Shift-JIS character does not.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

class PathName {
public:
    // The parts, combined with | for Part(). For C:\Tools\Hintrail\Hintrail.exe:
    enum : unsigned {
        kRoot = 1,       // C:  (or \\server for a network path)
        kDirectory = 2,  // \Tools\Hintrail\  (with its separators)
        kBaseName = 4,   // Hintrail
        kExtension = 8,  // .exe  (with its dot)
        kFolder = kRoot | kDirectory,
        kFileName = kBaseName | kExtension,
        kAfterRoot = kDirectory | kFileName,
        kWhole = kRoot | kAfterRoot,
    };

    PathName() = default;
    explicit PathName(std::string text);
    PathName(const PathName&) = default;
    PathName(PathName&&) = default;
    PathName& operator=(const PathName&) = default;
    PathName& operator=(PathName&&) = default;
    PathName& operator=(std::string text);
    virtual ~PathName() = default;

    const std::string& Text() const { return text_; }

    // The requested parts, in path order.
    std::string Part(unsigned parts) const;

    // Makes the path a folder ending in '\', unless it already ends in a separator or is a
    // bare root such as C:.
    void EnsureTrailingSeparator();

    // Drops the final '\' of a folder other than a root: C:\A\ becomes C:\A, C:\ stays.
    void RemoveTrailingSeparator();

    // Folds "." and ".." components; n dots climb n - 1 levels, and climbing above the first
    // component keeps "..\" instead.
    void Normalize();

#ifdef _WIN32
    // Normalizes, then spells each existing component as the file system stores it (long
    // name, stored letter case), the drive letter upper-cased and every separator after the
    // first one '\'. Components that do not exist, or that match several entries, stay as typed.
    void Canonicalize();
#endif

private:
    // Answers the on-disk name of the single entry a path names, or "" to keep it as typed.
    using NameLookup = std::function<std::string(const std::string& path)>;

    void Parse();
    void RespellComponents(const NameLookup& onDiskName);

    std::string text_;
    std::size_t rootEnd_ = 0;
    std::size_t nameStart_ = 0;
    std::size_t extStart_ = 0;
};
