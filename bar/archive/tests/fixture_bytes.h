// Byte fixtures written the way the format is read: hex for tags and numbers, quoted text for
// names and strings, as in Fixture("FF FF 01 00 09 00 'CSgShadow'").
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace archive_sample {

inline std::vector<std::uint8_t> Fixture(std::string_view spec) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < spec.size()) {
        if (spec[i] == ' ') {
            ++i;
        } else if (spec[i] == '\'') {
            const std::size_t end = spec.find('\'', i + 1);
            if (end == std::string_view::npos) throw std::invalid_argument("unclosed text");
            bytes.insert(bytes.end(), spec.begin() + i + 1, spec.begin() + end);
            i = end + 1;
        } else {
            const std::string hex(spec.substr(i, 2));
            bytes.push_back(static_cast<std::uint8_t>(std::stoul(hex, nullptr, 16)));
            i += 2;
        }
    }
    return bytes;
}

}  // namespace archive_sample
