#include "bar/archive/archive.h"

#include <algorithm>
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

CArchive::CArchive(std::vector<std::uint8_t>& out) : m_pOut(&out) {}

void CArchive::Fail(ArchiveError cause) { throw CArchiveException(cause); }

void CArchive::RequireLoading() const {
    if (IsStoring()) throw std::logic_error("archive: reading from a storing archive");
}

void CArchive::RequireStoring() const {
    if (IsLoading()) throw std::logic_error("archive: writing to a loading archive");
}

const std::uint8_t* CArchive::Take(std::size_t count) {
    RequireLoading();
    if (count > BytesLeft()) Fail(ArchiveError::endOfFile);
    const std::uint8_t* bytes = m_pCur;
    m_pCur += count;
    return bytes;
}

void CArchive::Put(const void* bytes, std::size_t count) {
    RequireStoring();
    const auto* first = static_cast<const std::uint8_t*>(bytes);
    m_pOut->insert(m_pOut->end(), first, first + count);
}

std::uint32_t CArchive::NextNumber() {
    // Numbers share their tag with the class bit; one more is beyond the format.
    if (m_nNextNumber == kBigClassTag) {
        if (IsLoading()) Fail(ArchiveError::badIndex);
        throw std::length_error("archive: too many objects");
    }
    return m_nNextNumber++;
}

std::uint8_t CArchive::ReadUInt8() { return *Take(1); }

std::uint16_t CArchive::ReadUInt16() {
    const std::uint8_t* b = Take(2);
    return static_cast<std::uint16_t>(b[0] | b[1] << 8);
}

std::uint32_t CArchive::ReadUInt32() {
    const std::uint8_t* b = Take(4);
    return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
           std::uint32_t{b[3]} << 24;
}

std::int32_t CArchive::ReadInt32() { return static_cast<std::int32_t>(ReadUInt32()); }

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

void CArchive::WriteUInt8(std::uint8_t value) { Put(&value, 1); }

void CArchive::WriteUInt16(std::uint16_t value) {
    const std::uint8_t b[2] = {static_cast<std::uint8_t>(value),
                               static_cast<std::uint8_t>(value >> 8)};
    Put(b, sizeof b);
}

void CArchive::WriteUInt32(std::uint32_t value) {
    const std::uint8_t b[4] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    Put(b, sizeof b);
}

void CArchive::WriteInt32(std::int32_t value) { WriteUInt32(static_cast<std::uint32_t>(value)); }

void CArchive::WriteString(std::string_view text) {
    const std::size_t length = text.size();
    if (length < 0xFF) {
        WriteUInt8(static_cast<std::uint8_t>(length));
    } else if (length < kWideStringMarker) {
        WriteUInt8(0xFF);
        WriteUInt16(static_cast<std::uint16_t>(length));
    } else {
        if (static_cast<std::uint64_t>(length) >> 32)
            throw std::length_error("archive: string over 4 GiB");
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(static_cast<std::uint32_t>(length));
    }
    Put(text.data(), length);
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
    Put(name.data(), name.size());
    m_storedClasses.emplace_back(&runtimeClass, NextNumber());
}

}  // namespace fw
