// Deleting a file of the installation now.
#pragma once

#include <string>

// Deletes path at once; a missing file is no error. Throws "<path> : <system message>".
void DeleteFileIfPresent(const std::string& path);
