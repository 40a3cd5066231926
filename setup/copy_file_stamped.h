// Copying one file of the installation without overwriting a file that may be in use.
#pragma once

#include <string>

// Copies source to target with all three times set to the source's last-write time. When the
// target exists: with overwrite false nothing happens (the source need not exist); with
// overwrite true the copy is written as target + "_" and the exchange is registered for the
// next restart. Throws std::runtime_error with the message for the user; a partly written
// copy stays.
void CopyFileStamped(const std::string& source, const std::string& target, bool overwrite);
