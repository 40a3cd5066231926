// A fresh folder under the temporary folder for one test, deleted with all it holds afterwards.
#pragma once

#include <string>

class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    // The folder's full path, spelled as stored, without a trailing separator.
    const std::string& Path() const { return path_; }
    // Path() + "\" + relative.
    std::string operator/(const std::string& relative) const;

    void MakeFolder(const std::string& relative) const;
    void MakeFile(const std::string& relative) const;

private:
    std::string path_;
};

bool IsFolder(const std::string& path);
bool Exists(const std::string& path);
