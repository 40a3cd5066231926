#include "setup/command_line.h"

#include <cstring>

bool OffersEveryChoice(const char* commandLine) {
    return commandLine && std::strstr(commandLine, "/force") != nullptr;
}
