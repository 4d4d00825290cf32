// CRZObj, the named base of objects that take events outside the identity registries (widgets, armies,
// servers, the console); CRZObjectList, which offers an event to its members; and the servers' name arrays.
#pragma once

#include <cstdint>

#include "foundation/linked_list.h"

class CRZEvent;
class CRZParser;

class CRZObj {
public:
    CRZObj();
    // A null name is taken as empty.
    explicit CRZObj(const char* name);
    virtual ~CRZObj();
    CRZObj(const CRZObj&) = delete;
    CRZObj& operator=(const CRZObj&) = delete;

    // 0: not taken.
    virtual int Update(CRZEvent* event);
    // -2: a plain named object has nothing to read.
    virtual int ParseFields(CRZParser& parser);
    // Stores a copy of the name (which may be the object's own) and answers the copy.
    virtual const char* SetName(const char* newName);
    // Never null.
    virtual const char* GetName() const { return name; }

private:
    char* name;
};

// Offers the event to the list's members from the tail (the one appended last) backwards until one takes
// it: a member answering 1 is finished and is removed and deleted; 2 moves it to the tail, so that it is
// asked first from now on; any taken answer gives 3. 0 when no member took it. Members may add or remove
// members meanwhile: the list is locked for the walk, which skips members removed on the way.
template <class T> int OfferFromTail(CList<T*>& list, CRZEvent* event)
{
    const bool lockedHere = !list.IsLocked();
    list.Lock();
    int result = 0;
    for (auto it = list.GetTail(); !it.IsEnd(); it--) {
        if (it.GetNode()->deleted)
            continue;
        T* member = *it;
        const int answer = member ? member->Update(event) : 0;
        if (answer == 0)
            continue;
        if (answer == 1) {
            list.Remove(it);
            delete member;
        } else if (answer == 2) {
            list.Remove(it);
            list.Append(member);
        }
        result = 3;
        break;
    }
    if (lockedHere)
        list.Unlock();
    return result;
}

// Owns its members and deletes them with itself.
class CRZObjectList : public CList<CRZObj*> {
public:
    CRZObjectList() = default;
    ~CRZObjectList() override;

    // Removes the first entry of the object, then deletes the object when it is not null.
    void Delete(CRZObj* object);

    // OfferFromTail.
    virtual int Update(CRZEvent* event) { return OfferFromTail(*this, event); }
};

// The servers' arrays of owned names; the destructor frees every name and the array.
class CRZNameBase {
public:
    static constexpr int32_t kInitialCapacity = 256;

    CRZNameBase();
    virtual ~CRZNameBase();
    CRZNameBase(const CRZNameBase&) = delete;
    CRZNameBase& operator=(const CRZNameBase&) = delete;

    char** names;
    int32_t count = 0;
    int32_t capacity = kInitialCapacity;
    int32_t reserved = 0;
};

// The same array for the names of towns.
class CRZCityNameBase : public CRZNameBase { };
