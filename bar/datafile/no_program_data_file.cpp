// Builds for other systems than Windows exist for the pure code's tests: there is no program,
// so no data file of its own. Tests give their stores one.
#include "bar/datafile/data_file.h"

std::unique_ptr<DataFile> OpenProgramDataFile() { return nullptr; }
