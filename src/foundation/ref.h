// Handles that hold an identity instead of a pointer, so that a reference survives saving and loading and
// turns empty when its target is destroyed; and CRZTimeID, a date paired with an identity.
#pragma once

#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/rz_id.h"

// A handle on an object of the identity registry; (0, 0) when empty.
template <class T> class CRef {
public:
    CRef() = default;
    CRef(T* object)
    {
        if (object != nullptr)
            id = static_cast<const CIdentity*>(object)->GetID();
    }
    explicit CRef(const CRZID& id)
        : id(id)
    {
    }

    bool operator==(const CRef& other) const { return id == other.id; }
    const CRZID& GetID() const { return id; }
    // Null when nothing of type T is registered under the identity.
    T* Get() const { return dynamic_cast<T*>(CIdentity::GetObjectFromID(id)); }

private:
    CRZID id;
};

// A handle on a dynamic object (battle, division); (0, 0) when empty.
template <class T> class CDRef {
public:
    CDRef() = default;
    CDRef(T* object)
    {
        if (object != nullptr)
            id = static_cast<const CRZDynamicObject*>(object)->GetID();
    }
    explicit CDRef(const DynamicID& id)
        : id(id)
    {
    }

    bool operator==(const CDRef& other) const { return id == other.id; }
    const DynamicID& GetID() const { return id; }
    T* Get() const { return dynamic_cast<T*>(CRZDynamicObject::GetObjectFromID(id)); }

private:
    DynamicID id;
};

struct CRZTimeID {
    CDate date;
    CRZID id;

    CRZTimeID() = default;
    CRZTimeID(const CDate& date, const CRZID& id)
        : date(date)
        , id(id)
    {
    }
    bool operator==(const CRZTimeID& other) const { return date == other.date && id == other.id; }
};
