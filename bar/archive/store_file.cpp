#include "bar/archive/store_file.h"

#include <stdexcept>

namespace fw {

ArchiveError ReadStoreRecords(ByteSpan file, const WideToAnsi& toAnsi,
                              const CRuntimeClass& recordClass,
                              const std::function<void(std::unique_ptr<CObject>)>& keep) noexcept {
    try {
        CArchive ar(file, toAnsi);
        if (ar.ReadUInt32() == kStoreMagic) ar.ReadUInt32();  // reserved
        // No room is made for the count: a count that lies runs into the end of the data.
        for (std::uint32_t count = ar.ReadUInt32(); count > 0; --count) {
            keep(ar.ReadObject(recordClass));
        }
        return ArchiveError::none;
    } catch (const CArchiveException& e) {
        return e.Cause();
    } catch (...) {
        // Loading fails silently whatever goes wrong.
        return ArchiveError::generic;
    }
}

void WriteStoreHeader(CArchive& ar, std::size_t count) {
    if (static_cast<std::uint64_t>(count) >> 32) throw std::length_error("too many records");
    ar.WriteUInt32(kStoreMagic);
    ar.WriteUInt32(0);
    ar.WriteUInt32(static_cast<std::uint32_t>(count));
}

}  // namespace fw
