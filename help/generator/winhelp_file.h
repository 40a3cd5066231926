// Writes a WinHelp 3.1 help file: the internal file system (a header, internal files and their
// directory) holding |SYSTEM (title, copyright, contents topic, character set), |TOPIC (every
// topic as a header record and one record per paragraph, uncompressed), |FONT, |CONTEXT (the
// hash of every context name) and |CTXOMAP (every topic's number).
#pragma once

#include <cstdint>
#include <string>

#include "help/generator/help_source.h"

namespace helpgen {

// WinHelp's hash of a context name, as WinHelp and its viewers compute it.
std::int32_t ContextHash(const std::string& context);

// The bytes of the help file; generatedAt (seconds since 1970) is stored as its build date.
// Throws std::runtime_error when the document does not fit this simple layout.
std::string BuildWinHelpFile(const HelpDocument& doc, std::uint32_t generatedAt);

}  // namespace helpgen
