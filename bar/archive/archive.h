// The framework's archive: the stored form of integers, strings and objects. A loading archive
// reads bytes in memory (the caller maps or reads the file); a storing archive appends to a
// byte vector, complete once the archive is flushed or destroyed (then the caller writes it
// out). All integers are little-endian.
//
// A class's Serialize writes or reads its fields in one fixed order, for example:
//
//   void CSgShadow::Serialize(fw::CArchive& ar) {
//       if (ar.IsStoring()) {
//           ar.WriteString(m_strClassName);
//           ar.WriteString(m_strExeName);
//           ar.WriteInt32(static_cast<std::int32_t>(m_commands.size()));
//           for (const auto& command : m_commands) ar.WriteObject(*command);
//           ar.WriteInt32(m_bMenuRead);
//           return;
//       }
//       m_strClassName = ar.ReadString();
//       m_strExeName = ar.ReadString();
//       for (std::int32_t n = ar.ReadInt32(); n > 0; --n)
//           m_commands.push_back(ar.ReadObject<CSgCommand>());
//       m_bMenuRead = ar.ReadInt32();
//   }
//
// Reading malformed or truncated data throws CArchiveException out of Serialize, so hold what
// is being read in owning members (never reserve by a count read from the file: it may lie).
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "bar/archive/object.h"

namespace fw {

// Bytes owned elsewhere, which outlive the archive that reads them.
struct ByteSpan {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

// Converts a string stored as UTF-16 to the ANSI code page (WideCharToMultiByte(CP_ACP) on
// Windows). May be empty: such a string then fails the load.
using WideToAnsi = std::function<std::string(std::u16string_view)>;

enum class ArchiveError {
    none,
    endOfFile,  // the data ends inside an item, or an item claims more than is left
    badIndex,   // a tag that names no class (an object, number 0, a number not given yet)
    badClass,   // an unknown class name, a name too long, or a class other than the expected
    badSchema,  // a known class stored with another schema number
    badString,  // a UTF-16 string that cannot be converted
    generic,    // anything else thrown while reading (out of memory, a converter's failure)
};

class CArchiveException : public std::exception {
public:
    explicit CArchiveException(ArchiveError cause) : m_cause(cause) {}
    ArchiveError Cause() const { return m_cause; }
    const char* what() const noexcept override;

private:
    ArchiveError m_cause;
};

class CArchive {
public:
    // Loading archive over `data`.
    CArchive(ByteSpan data, WideToAnsi toAnsi);
    // Storing archive appending to `out`, which outlives it. Bytes gather in the archive's
    // own buffer and reach `out` with Flush, when the buffer is full, and on destruction.
    explicit CArchive(std::vector<std::uint8_t>& out);
    ~CArchive();

    // Works on its caller's buffer, so neither copied nor moved.
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    // Storing: appends what is buffered to `out`.
    void Flush();

    bool IsStoring() const { return m_pOut != nullptr; }
    bool IsLoading() const { return m_pOut == nullptr; }
    // Loading: bytes not read yet.
    std::size_t BytesLeft() const { return static_cast<std::size_t>(m_pEnd - m_pCur); }

    // Reading; each throws CArchiveException, and std::logic_error on a storing archive.
    std::uint8_t ReadUInt8() { return *Take(1); }
    std::uint16_t ReadUInt16() {
        const std::uint8_t* b = Take(2);
        return static_cast<std::uint16_t>(b[0] | b[1] << 8);
    }
    std::uint32_t ReadUInt32() {
        const std::uint8_t* b = Take(4);
        return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
               std::uint32_t{b[3]} << 24;
    }
    std::int32_t ReadInt32() { return static_cast<std::int32_t>(ReadUInt32()); }
    // Any of the string forms; a UTF-16 string comes back converted to ANSI.
    std::string ReadString();
    // The next object, which must be of class `expected` or one derived from it.
    std::unique_ptr<CObject> ReadObject(const CRuntimeClass& expected);
    template <class T>
    std::unique_ptr<T> ReadObject() {
        return std::unique_ptr<T>(static_cast<T*>(ReadObject(RuntimeClassOf<T>()).release()));
    }

    // Writing; each throws std::logic_error on a loading archive.
    void WriteUInt8(std::uint8_t value) { *Room(1) = value; }
    void WriteUInt16(std::uint16_t value) {
        std::uint8_t* b = Room(2);
        b[0] = static_cast<std::uint8_t>(value);
        b[1] = static_cast<std::uint8_t>(value >> 8);
    }
    void WriteUInt32(std::uint32_t value) {
        std::uint8_t* b = Room(4);
        b[0] = static_cast<std::uint8_t>(value);
        b[1] = static_cast<std::uint8_t>(value >> 8);
        b[2] = static_cast<std::uint8_t>(value >> 16);
        b[3] = static_cast<std::uint8_t>(value >> 24);
    }
    void WriteInt32(std::int32_t value) { WriteUInt32(static_cast<std::uint32_t>(value)); }
    // In the shortest length form; std::length_error beyond 32-bit lengths.
    void WriteString(std::string_view text);
    // Class tag (the class's description the first time), then the object's fields.
    void WriteObject(CObject& object);

private:
    [[noreturn]] static void Fail(ArchiveError cause);
    void RequireLoading() const;
    void RequireStoring() const;
    // Every item passes through these two, so their usual path is inline.
    // Loading: the next `count` bytes.
    const std::uint8_t* Take(std::size_t count) {
        if (count > BytesLeft()) CannotTake();
        const std::uint8_t* bytes = m_pCur;
        m_pCur += count;
        return bytes;
    }
    [[noreturn]] void CannotTake() const;
    // Storing: where to write the next `count` bytes (at most kBufferSize).
    std::uint8_t* Room(std::size_t count) {
        if (static_cast<std::size_t>(m_pPutEnd - m_pPut) < count) Flush();
        std::uint8_t* at = m_pPut;
        m_pPut += count;
        return at;
    }
    void WriteBytes(std::string_view bytes);
    // Classes and objects share one numbering, from 1 in the order of first appearance.
    std::uint32_t NextNumber();
    const CRuntimeClass& ReadClassTag();
    const CRuntimeClass& ReadNewClass();
    // A string's length in any of its forms; `wide` tells the UTF-16 marker from a length.
    std::uint32_t ReadStringLength(bool& wide);
    std::string ReadWideString();
    void WriteClassTag(const CRuntimeClass& runtimeClass);

    // Loading
    const std::uint8_t* m_pCur = nullptr;
    const std::uint8_t* m_pEnd = nullptr;
    WideToAnsi m_toAnsi;
    std::vector<std::pair<std::uint32_t, const CRuntimeClass*>> m_loadedClasses;  // by number

    // Storing: small items go to m_pPut in m_buffer, appended to *m_pOut a buffer at a time.
    static constexpr std::size_t kBufferSize = 4096;
    std::vector<std::uint8_t>* m_pOut = nullptr;
    std::vector<std::uint8_t> m_buffer;
    std::uint8_t* m_pPut = nullptr;
    std::uint8_t* m_pPutEnd = nullptr;
    std::vector<std::pair<const CRuntimeClass*, std::uint32_t>> m_storedClasses;

    std::uint32_t m_nNextNumber = 1;
};

}  // namespace fw
