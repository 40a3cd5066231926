// Little-endian byte building for the help file's structures.
#pragma once

#include <cstdint>
#include <string>

namespace helpgen {

class ByteWriter {
public:
    void Put8(std::uint32_t v) { m_bytes.push_back(static_cast<char>(v & 0xFF)); }
    void Put16(std::uint32_t v) { Put8(v); Put8(v >> 8); }
    void Put32(std::uint32_t v) { Put16(v); Put16(v >> 16); }
    void Put(const std::string& bytes) { m_bytes += bytes; }
    void PutZeros(size_t n) { m_bytes.append(n, '\0'); }
    void Patch32(size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) m_bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    }
    size_t Size() const { return m_bytes.size(); }
    const std::string& Bytes() const { return m_bytes; }

private:
    std::string m_bytes;
};

}  // namespace helpgen
