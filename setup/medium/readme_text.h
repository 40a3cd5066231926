// Text files of the medium are read on Windows: every line ends in CR LF.
#pragma once

#include <string>

// Each LF not already after a CR becomes CR LF.
std::string WithCrLf(const std::string& text);
