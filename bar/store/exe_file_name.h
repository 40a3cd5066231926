// The file name part of an executable's path as a process snapshot reports it: what follows the
// last backslash, else what follows a leading drive ("C:"), else the whole path. The path is
// ANSI text, where the second byte of a two-byte character can be 0x5C: isLeadByte tells the
// scan which bytes start such a character, so that no trail byte is taken for a backslash.
#pragma once

#include <string>
#include <string_view>

std::string ExeFileName(std::string_view path, bool (*isLeadByte)(unsigned char));
