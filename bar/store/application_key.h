// Which application a window belongs to: its window class and its executable's file name, both
// compared byte for byte. The title plays no part, so one record serves all of a program's
// documents, and two programs that share a class are still told apart by their executables.
#pragma once

#include <string>

struct ApplicationKey {
    std::string className;
    std::string exeName;
};
