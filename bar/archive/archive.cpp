#include "bar/archive/archive.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace fw {

namespace {

constexpr std::uint16_t kNewClassTag = 0xFFFF;   // a class description follows
constexpr std::uint16_t kClassTag = 0x8000;      // 0x8000 + n: class number n
constexpr std::uint16_t kBigObjectTag = 0x7FFF;  // a 32-bit tag follows
constexpr std::uint32_t kBigClassTag = 0x80000000;
constexpr std::uint16_t kWideStringMarker = 0xFFFE;

}  // namespace

const char* CArchiveException::what() const noexcept {
    switch (m_cause) {
        case ArchiveError::none:
            return "no error";
        case ArchiveError::endOfFile:
            return "archive: unexpected end of data";
        case ArchiveError::badIndex:
            return "archive: invalid class tag";
        case ArchiveError::badClass:
            return "archive: unknown or unexpected class";
        case ArchiveError::badSchema:
            return "archive: wrong schema number";
        case ArchiveError::badString:
            return "archive: unconvertible UTF-16 string";
        case ArchiveError::generic:
            break;
    }
    return "archive: read failed";
}

CArchive::CArchive(ByteSpan data, WideToAnsi toAnsi)
    : m_pCur(data.data), m_pEnd(data.data + data.size), m_toAnsi(std::move(toAnsi)) {}

CArchive::CArchive(std::vector<std::uint8_t>& out)
    : m_pOut(&out),
      m_buffer(kBufferSize),
      m_pPut(m_buffer.data()),
      m_pPutEnd(m_buffer.data() + m_buffer.size()) {}

CArchive::~CArchive() {
    if (!IsStoring()) return;
    try {
        Flush();
    } catch (...) {
        // Out of memory: `out` stays short. Callers who must know flush themselves.
    }
}

void CArchive::Flush() {
    RequireStoring();
    m_pOut->insert(m_pOut->end(), m_buffer.data(), m_pPut);
    m_pPut = m_buffer.data();
}

void CArchive::Fail(ArchiveError cause) { throw CArchiveException(cause); }

void CArchive::RequireLoading() const {
    if (IsStoring()) throw std::logic_error("archive: reading from a storing archive");
}

void CArchive::RequireStoring() const {
    if (IsLoading()) throw std::logic_error("archive: writing to a loading archive");
}

void CArchive::CannotTake() const {
    RequireLoading();
    Fail(ArchiveError::endOfFile);
}

std::uint32_t CArchive::NextNumber() {
    // Numbers share their tag with the class bit; one more is beyond the format.
    if (m_nNextNumber == kBigClassTag) {
        if (IsLoading()) Fail(ArchiveError::badIndex);
        throw std::length_error("archive: too many objects");
    }
    return m_nNextNumber++;
}

std::uint32_t CArchive::ReadStringLength(bool& wide) {
    wide = false;
    const std::uint8_t shortLength = ReadUInt8();
    if (shortLength < 0xFF) return shortLength;
    const std::uint16_t length = ReadUInt16();
    if (length == kWideStringMarker) {
        wide = true;
        return 0;
    }
    if (length < 0xFFFF) return length;
    return ReadUInt32();
}

std::string CArchive::ReadString() {
    bool wide = false;
    const std::uint32_t length = ReadStringLength(wide);
    if (wide) return ReadWideString();
    // Take checks the length against what is left before anything is allocated for it.
    const std::uint8_t* bytes = Take(length);
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

std::string CArchive::ReadWideString() {
    bool wide = false;
    const std::uint32_t units = ReadStringLength(wide);
    if (wide) Fail(ArchiveError::badString);
    if (units > BytesLeft() / 2) Fail(ArchiveError::endOfFile);
    const std::uint8_t* bytes = Take(std::size_t{units} * 2);
    if (!m_toAnsi) Fail(ArchiveError::badString);
    std::u16string text(units, u'\0');
    for (std::uint32_t i = 0; i < units; ++i) {
        text[i] = static_cast<char16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
    }
    return m_toAnsi(text);
}

std::unique_ptr<CObject> CArchive::ReadObject(const CRuntimeClass& expected) {
    const CRuntimeClass& runtimeClass = ReadClassTag();
    if (!runtimeClass.IsDerivedFrom(expected)) Fail(ArchiveError::badClass);
    std::unique_ptr<CObject> object = runtimeClass.CreateObject();
    if (!object) Fail(ArchiveError::badClass);
    NextNumber();
    object->Serialize(*this);
    return object;
}

const CRuntimeClass& CArchive::ReadClassTag() {
    const std::uint16_t shortTag = ReadUInt16();
    if (shortTag == kNewClassTag) return ReadNewClass();
    std::uint32_t tag = shortTag;  // an object's number: not in this format
    if (shortTag == kBigObjectTag) {
        tag = ReadUInt32();
    } else if (shortTag & kClassTag) {
        tag = kBigClassTag | (shortTag & ~kClassTag);
    }
    // Without the class bit the tag is null or refers to an object: this format has neither.
    if (!(tag & kBigClassTag)) Fail(ArchiveError::badIndex);
    const std::uint32_t number = tag & ~kBigClassTag;
    const auto found =
        std::lower_bound(m_loadedClasses.begin(), m_loadedClasses.end(), number,
                         [](const auto& loaded, std::uint32_t n) { return loaded.first < n; });
    if (found == m_loadedClasses.end() || found->first != number) Fail(ArchiveError::badIndex);
    return *found->second;
}

const CRuntimeClass& CArchive::ReadNewClass() {
    const std::uint16_t schema = ReadUInt16();
    const std::uint16_t length = ReadUInt16();
    if (length >= kClassNameLimit) Fail(ArchiveError::badClass);
    const std::uint8_t* name = Take(length);
    const CRuntimeClass* runtimeClass =
        CRuntimeClass::FromName({reinterpret_cast<const char*>(name), length});
    if (!runtimeClass) Fail(ArchiveError::badClass);
    if (runtimeClass->schema != schema) Fail(ArchiveError::badSchema);
    m_loadedClasses.emplace_back(NextNumber(), runtimeClass);
    return *runtimeClass;
}

void CArchive::WriteBytes(std::string_view bytes) {
    if (bytes.size() <= kBufferSize) {
        if (!bytes.empty()) std::memcpy(Room(bytes.size()), bytes.data(), bytes.size());
        return;
    }
    Flush();
    m_pOut->insert(m_pOut->end(), bytes.begin(), bytes.end());
}

void CArchive::WriteString(std::string_view text) {
    const std::size_t length = text.size();
    if (length < 0xFF) {
        WriteUInt8(static_cast<std::uint8_t>(length));
    } else if (length < kWideStringMarker) {
        WriteUInt8(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        if (static_cast<std::uint64_t>(length) >> 32) {
            throw std::length_error("archive: string over 4 GiB");
        }
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    WriteBytes(text);
}

void CArchive::WriteObject(CObject& object) {
    const CRuntimeClass& runtimeClass = object.GetRuntimeClass();
    if (!runtimeClass.create) throw std::logic_error("archive: class cannot be read back");
    WriteClassTag(runtimeClass);
    NextNumber();
    object.Serialize(*this);
}

void CArchive::WriteClassTag(const CRuntimeClass& runtimeClass) {
    for (const auto& [stored, number] : m_storedClasses) {
        if (stored != &runtimeClass) continue;
        if (number < kBigObjectTag) {
            WriteUInt16(static_cast<std::uint16_t>(kClassTag | number));
        } else {
            WriteUInt16(kBigObjectTag);
            WriteUInt32(kBigClassTag | number);
        }
        return;
    }
    const std::string_view name = runtimeClass.name;
    if (name.size() >= kClassNameLimit) throw std::logic_error("archive: class name too long");
    WriteUInt16(kNewClassTag);
    WriteUInt16(runtimeClass.schema);
    WriteUInt16(static_cast<std::uint16_t>(name.size()));
    WriteBytes(name);
    m_storedClasses.emplace_back(&runtimeClass, NextNumber());
}

}  // namespace fw
