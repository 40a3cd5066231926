// Creating a folder together with every missing parent folder.
#pragma once

#include <string>

// The setup program's: path is a full folder path, with or without a trailing '\'. Throws
// std::runtime_error naming the path when a folder cannot be created (ThrowSystemError), or
// "<path> : フォルダではありません." when an entry on the way is a file, before creating
// anything. Folders created before a failure stay. A bare root (C:, C:\) creates nothing.
void CreateDirectoryTree(const std::string& path);

// The bar program's: the same walk, but it reports nothing; the caller notices only when it
// later fails to use the folder.
void CreateDirectoryTreeQuietly(const std::string& path);
