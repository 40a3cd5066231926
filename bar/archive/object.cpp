#include "bar/archive/object.h"

#include <vector>

namespace fw {

namespace {

// Filled by the registrations of namespace-scope objects, before main; read-only afterwards.
std::vector<const CRuntimeClass*>& Registry() {
    static std::vector<const CRuntimeClass*> records;
    return records;
}

}  // namespace

const CRuntimeClass CObject::runtimeClass{"CObject", 0xFFFF, nullptr, nullptr};

void CObject::Serialize(CArchive&) {}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass& other) const {
    for (const CRuntimeClass* c = this; c; c = c->base) {
        if (c == &other) return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(std::string_view name) {
    for (const CRuntimeClass* record : Registry()) {
        if (name == record->name) return record;
    }
    return nullptr;
}

ClassRegistration::ClassRegistration(const CRuntimeClass& record) { Registry().push_back(&record); }

}  // namespace fw
