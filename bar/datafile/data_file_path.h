// Which file the program's store reads and writes: Hintrail.dat under the user's
// application-data folder ("AppData" of the Shell Folders key), or, where the registry names
// none, the file beside the program with its base name and ".dat". A file beside the program
// (setup installs one) is read as long as the user has none of their own; saving always
// writes the user's.
#pragma once

#include <string>

// forSaving: the user's file whenever there is an application-data folder. For loading it
// only when something exists under that name, else the file beside the program.
std::string DataFilePath(bool forSaving);
