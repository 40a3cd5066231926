// Base of the bar program's serializable objects, and their run-time class records. A record
// names a class, carries the schema number of its stored form and creates its objects; the
// archive writes the name into the file and, when reading, finds the record by that name.
//
// A serializable class (default-constructible, derived from CObject):
//
//   class CSgCommand : public fw::CObject {
//       FW_DECLARE_SERIAL(CSgCommand)
//   public:
//       void Serialize(fw::CArchive& ar) override;
//       ...
//   };
//
// and in the source file that defines its Serialize (so the linker keeps the record's
// registration together with the code that uses it):
//
//   FW_IMPLEMENT_SERIAL(CSgCommand, fw::CObject, 0);   // base class, schema number
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <type_traits>

namespace fw {

class CArchive;
class CObject;

// The archive refuses class names of this many bytes or more.
inline constexpr std::size_t kClassNameLimit = 64;

struct CRuntimeClass {
    const char* name;
    std::uint16_t schema;                  // a file that stores another number is refused
    std::unique_ptr<CObject> (*create)();  // null: objects of the class are never read
    const CRuntimeClass* base;             // null for CObject

    std::unique_ptr<CObject> CreateObject() const { return create ? create() : nullptr; }
    // True for this class itself and every class derived from `other`.
    bool IsDerivedFrom(const CRuntimeClass& other) const;
    // The registered record of exactly this (case-sensitive) name, or null.
    static const CRuntimeClass* FromName(std::string_view name);
};

// Makes a record known to CRuntimeClass::FromName; the first record of a name wins.
class ClassRegistration {
public:
    explicit ClassRegistration(const CRuntimeClass& record);
};

template <class T>
std::unique_ptr<CObject> CreateObjectOf() {
    return std::make_unique<T>();
}

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;

    // Writes the object's fields when ar.IsStoring(), else reads them, in stored order.
    virtual void Serialize(CArchive& ar);

    using FwThisClass = CObject;
    static const CRuntimeClass runtimeClass;
    virtual const CRuntimeClass& GetRuntimeClass() const { return runtimeClass; }
};

#define FW_DECLARE_SERIAL(class_name)                                                    \
public:                                                                                  \
    using FwThisClass = class_name;                                                      \
    static const ::fw::CRuntimeClass runtimeClass;                                       \
    const ::fw::CRuntimeClass& GetRuntimeClass() const override { return runtimeClass; } \
                                                                                         \
private:

#define FW_IMPLEMENT_SERIAL(class_name, base_name, schema_number)                                 \
    static_assert(std::is_base_of_v<base_name, class_name>, "the base must be a base");           \
    static_assert(sizeof(#class_name) <= ::fw::kClassNameLimit, "class name too long");           \
    const ::fw::CRuntimeClass class_name::runtimeClass{                                           \
        #class_name, schema_number, &::fw::CreateObjectOf<class_name>, &base_name::runtimeClass}; \
    static const ::fw::ClassRegistration fwClassRegistration##class_name(class_name::runtimeClass)

// The record of T itself; refuses classes that only inherit their base's record.
template <class T>
const CRuntimeClass& RuntimeClassOf() {
    static_assert(std::is_same_v<typename T::FwThisClass, T>, "T lacks FW_DECLARE_SERIAL");
    return T::runtimeClass;
}

}  // namespace fw
