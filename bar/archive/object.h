// Base of the bar program's serializable objects. The archive layer fills this out with
// run-time class records and serialization; classes of the store derive from CObject.
#pragma once

namespace fw {

class CArchive;

class CObject {
public:
    CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
    virtual ~CObject() = default;
};

}  // namespace fw
