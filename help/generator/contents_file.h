// The contents file (.cnt) beside the help file: the viewer's contents tab, one line a topic.
#pragma once

#include <string>

#include "help/generator/help_source.h"

namespace helpgen {

// ":Base <helpFileName>", ":Title <title>", then "1 <topic title>=<context>" for every topic;
// code page 932, CRLF line ends.
std::string BuildContentsFile(const HelpDocument& doc, const std::string& helpFileName);

}  // namespace helpgen
