// The data file as a whole: a short header, then a list of records as archive objects.
//
//   full layout:  magic 0x5D512546, reserved 0, record count N, N records   (always written)
//   short layout: any other first word (0xFE0FDCBA in practice), N, N records
//
// The store reads and writes its list of owned records, e.g. a
// std::vector<std::unique_ptr<CSgShadow>>:
//
//   fw::ArchiveError why = fw::ReadStoreFile(bytes, toAnsi, m_shadows);   // never throws
//   std::vector<std::uint8_t> bytes = fw::WriteStoreFile(m_shadows);
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "bar/archive/archive.h"
#include "bar/archive/object.h"

namespace fw {

inline constexpr std::uint32_t kStoreMagic = 0x5D512546;

// Reads the header, then up to N objects of `recordClass` (or derived from it), handing each
// to `keep` once it is completely read. Returns ArchiveError::none when all N were read, else
// why the load stopped: the records kept so far stay, the one being read is discarded.
ArchiveError ReadStoreRecords(ByteSpan file, const WideToAnsi& toAnsi,
                              const CRuntimeClass& recordClass,
                              const std::function<void(std::unique_ptr<CObject>)>& keep) noexcept;

// Appends the file's records to `records`, a container of std::unique_ptr<T> with push_back.
template <class Container>
ArchiveError ReadStoreFile(ByteSpan file, const WideToAnsi& toAnsi, Container& records) noexcept {
    using T = typename Container::value_type::element_type;
    return ReadStoreRecords(file, toAnsi, RuntimeClassOf<T>(),
                            [&records](std::unique_ptr<CObject> record) {
                                std::unique_ptr<T> typed(static_cast<T*>(record.release()));
                                records.push_back(std::move(typed));
                            });
}

// The full header for `count` records; std::length_error beyond 32 bits.
void WriteStoreHeader(CArchive& ar, std::size_t count);

// The whole file in the full layout, the records in container order.
template <class Container>
std::vector<std::uint8_t> WriteStoreFile(const Container& records) {
    std::vector<std::uint8_t> bytes;
    CArchive ar(bytes);
    WriteStoreHeader(ar, records.size());
    for (const auto& record : records) ar.WriteObject(*record);
    ar.Flush();
    return bytes;
}

}  // namespace fw
