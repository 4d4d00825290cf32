// Handles that hold an identity instead of a pointer, so that a reference survives saving and loading and
// turns empty when its target is destroyed; and CRZTimeID, a date paired with an identity.
#pragma once

#include <typeinfo>

#include "foundation/calendar_date.h"
#include "foundation/identity.h"
#include "foundation/rz_id.h"

// A handle on an object that the registry of Base finds by an identity of type Id; (0, 0) when empty.
template <class T, class Base, class Id> class CIdentityHandle {
public:
    CIdentityHandle() = default;
    CIdentityHandle(T* object)
    {
        if (object != nullptr)
            id = static_cast<const Base*>(object)->GetID();
    }
    explicit CIdentityHandle(const Id& inId)
        : id(inId)
    {
    }

    bool operator==(const CIdentityHandle& other) const { return id == other.id; }
    const Id& GetID() const { return id; }
    // Null when nothing of type T is registered under the identity.
    T* Get() const
    {
        Base* object = Base::GetObjectFromID(id);
        // Nearly every handle names an object of exactly its own class: comparing the class is one
        // compare, where the cast would search the hierarchy on every daily lookup.
        if (object != nullptr && typeid(*object) == typeid(T))
            return static_cast<T*>(object);
        return dynamic_cast<T*>(object);
    }

private:
    Id id;
};

// A handle on an object of the identity registry (characters above all).
template <class T> class CRef : public CIdentityHandle<T, CIdentity, CRZID> {
public:
    using CIdentityHandle<T, CIdentity, CRZID>::CIdentityHandle;
};

// A handle on a dynamic object (battle, division).
template <class T> class CDRef : public CIdentityHandle<T, CRZDynamicObject, DynamicID> {
public:
    using CIdentityHandle<T, CRZDynamicObject, DynamicID>::CIdentityHandle;
};

struct CRZTimeID {
    CDate date;
    CRZID id;

    CRZTimeID() = default;
    CRZTimeID(const CDate& inDate, const CRZID& inId)
        : date(inDate)
        , id(inId)
    {
    }
    bool operator==(const CRZTimeID& other) const { return date == other.date && id == other.id; }
};
