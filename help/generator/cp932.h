// The help is written in UTF-8 and shipped in code page 932, the code page of every text the
// system shows. The generator runs on the build machine, so the conversion is iconv's.
#pragma once

#include <string>

namespace helpgen {

// Converts UTF-8 text to code page 932; throws std::runtime_error naming the text when a
// character has no code page 932 form.
std::string Utf8ToCp932(const std::string& utf8);

}  // namespace helpgen
