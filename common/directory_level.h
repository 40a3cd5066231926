// One level of creating a folder with its parents: which entry to look at, and the folder that
// holds it, where the walk goes on. Pure, so that the walk's end can be checked without Windows.
#pragma once

#include <string>

struct DirectoryLevel {
    // The path without one final '\' or '/'; "" when there is nothing to create at this level
    // (a bare root such as C: or C:\, a bare name, or nothing).
    std::string entry;
    // The root and directory of entry, with the separator that ends them; always shorter than
    // the path the level was taken from, so that a walk up the parents ends.
    std::string parent;
};

DirectoryLevel DirectoryLevelOf(const std::string& path);
