// The bases of objects found by identity and their registries: CIdentity (identity registry),
// CRZStaticObject (servers and realms, found without a registry) and CRZDynamicObject (armies, divisions,
// battles), with the per-machine counter that numbers the objects made during play.
#pragma once

#include <cstdint>

#include "foundation/hash_table.h"
#include "foundation/identity_index.h"
#include "foundation/rz_id.h"

class CRZEvent;
class CIdentity;
class CRZStaticObject;

inline constexpr uint32_t kIdentityBuckets = 8191;
inline constexpr uint32_t kCountryTableSlots = 1423;
inline constexpr uint32_t kProvinceArraySize = 1004;

// Lookups that the server, realm and map subsystems install once they exist; an empty one answers null.
// GetCountry and GetProvince are only ever asked for an index inside the table.
struct CIdentityLookups {
    CRZStaticObject* (*GetGameServer)() = nullptr;
    CRZStaticObject* (*GetCountry)(uint32_t index) = nullptr;
    CIdentity* (*GetProvince)(uint32_t index) = nullptr;
};
extern CIdentityLookups gIdentityLookups;

class CIdentity {
public:
    CIdentity() = default;
    virtual ~CIdentity();

    // Registered types need the registries (TotalInit); an identity already registered is fatal
    // ("Database Mismatch"). An object that holds a live identity leaves it first. Always answers 1.
    virtual int Create();
    virtual int Create(uint32_t type, uint32_t number);
    virtual int Create(const CRZID& id);
    // Leaves the registry and marks the identity destroyed (type 65534, number kept); 0 when there was
    // nothing to leave.
    virtual int Destroy();
    virtual int Update(CRZEvent* event);

    const CRZID& GetID() const { return id; }
    const CRZID& GetHashKey() const { return id; }

    // Registered types through the registry, provinces through the province array; null otherwise. Inline:
    // the daily passes call it for every relation and spouse.
    static CIdentity* GetObjectFromID(const CRZID& id)
    {
        if (IsRegisteredType(id.type))
            return _pHashTable ? _pHashTable->Find(id) : nullptr;
        if (id.type == RZTYPE_PROVINCE && id.number < kProvinceArraySize && gIdentityLookups.GetProvince)
            return gIdentityLookups.GetProvince(id.number);
        return nullptr;
    }
    static bool IsRegisteredType(uint16_t type)
    {
        switch (type) {
        case 6:
        case 7:
        case 9:
        case 10:
        case 11:
        case 12:
        case 13:
        case 14:
        case 17:
        case 18:
            return true;
        default:
            return type >= RZTYPE_DYNAMIC;
        }
    }
    // Grows whenever an identity leaves the registry or the registries are made anew. A pointer found by
    // an identity stays good while this has not moved, since an identity held is never taken by another.
    static uint64_t GetLeaveCount() { return _nLeaveCount; }
    // The next identity of this machine's counter: (4712 + player slot, last number + 1).
    static CRZID GetRandomID();
    // An identity of this machine's own kind taken by anything (a loaded object above all) moves the
    // counter past it, so that the next identity drawn is new.
    static void KeepCounterAbove(const CRZID& taken);
    // NOID starts afresh for the player slot; a saved (type, highest number) entry of this machine's
    // own type makes numbering resume after it.
    static void TotalInit(const CRZID& id, int slot);
    static void TotalCleanup();
    // Row i becomes (4712 + i, highest number of that type among the registered objects).
    static void GetMaxID(CRZID* table, int count);

    static CIdentityIndex<CIdentity>* _pHashTable;
    static int _bIsInited;
    static CRZID CurrentID;

private:
    static uint64_t _nLeaveCount;

protected:
    CRZID id;
};

class CRZStaticObject {
public:
    CRZStaticObject() = default;
    virtual ~CRZStaticObject();

    virtual int Create(const StaticID& id);
    virtual int Destroy();
    virtual int Update(CRZEvent* event);

    const StaticID& GetID() const { return id; }

    // Type 2 is the game server whatever the number; type 3 the realm at that index of the country
    // table (null outside 0..1422 or where no realm exists); null for every other type.
    static CRZStaticObject* GetObjectFromID(const StaticID& id);

protected:
    StaticID id;
};

class CRZDynamicObject {
public:
    CRZDynamicObject() = default;
    explicit CRZDynamicObject(const DynamicID& id);
    virtual ~CRZDynamicObject();

    // Any identity is accepted; a live one is left first. Always answers 1.
    virtual int Create();
    virtual int Create(const DynamicID& id);
    // Leaves the registry and returns to NOID; 0 when there was nothing to leave.
    virtual int Destroy();
    virtual int Update(CRZEvent* event);

    const DynamicID& GetID() const { return id; }
    const DynamicID& GetHashKey() const { return id; }

    static CRZDynamicObject* GetObjectFromID(const DynamicID& id);
    // The same counter as CIdentity::GetRandomID.
    static DynamicID GetUniqueDynamicID();

    static CHashTable<DynamicID, CRZDynamicObject>* _pHashTable;

private:
    void Register(const DynamicID& newId);

protected:
    DynamicID id;
};
