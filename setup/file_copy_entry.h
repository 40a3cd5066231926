// One row of a copy table: the file's name where setup finds it and where it installs it.
#pragma once

struct FileCopyEntry {
    const char* sourceName;  // nullptr ends a table
    const char* targetName;  // a leading '!' keeps an existing target; it is not part of the name
};
