// The identity registries: registering, finding and leaving them, and the identity counter that gives each
// machine of a network game its own range of new identities.
#include "foundation/identity.h"

#include "foundation/fatal_error.h"
#include "foundation/logs.h"

#include "foundation/safeguards.h"

CIdentityLookups gIdentityLookups;

CIdentityIndex<CIdentity>* CIdentity::_pHashTable = nullptr;
int CIdentity::_bIsInited = 0;
CRZID CIdentity::CurrentID;
uint64_t CIdentity::_nLeaveCount = 1;
CHashTable<DynamicID, CRZDynamicObject>* CRZDynamicObject::_pHashTable = nullptr;

namespace {

void RequireRegistry(const void* registry, const CRZID& id)
{
    // Registering before a game has made its registries would lose the object; stop instead.
    if (registry == nullptr)
        _AssertRelease("Identity registry not initialised (%u, %u)", static_cast<unsigned>(id.type),
            static_cast<unsigned>(id.number));
}

} // namespace

CIdentity::~CIdentity()
{
    CIdentity::Destroy();
}

int CIdentity::Create()
{
    return Create(GetRandomID());
}

int CIdentity::Create(uint32_t type, uint32_t number)
{
    return Create(CRZID(static_cast<uint16_t>(type), number));
}

int CIdentity::Create(const CRZID& newId)
{
    bool registered = IsRegisteredType(newId.type);
    if (registered) {
        if (GetObjectFromID(newId) != nullptr)
            _AssertRelease("Database Mismatch");
        RequireRegistry(_pHashTable, newId);
    }
    // Leave a registered identity before taking an unregistered one too, or the registry would keep an
    // entry that no key finds and that outlives the object.
    if (!(id == NOID) && id.type != RZTYPE_DESTROYED)
        Destroy();
    id = newId;
    if (registered)
        _pHashTable->Add(this);
    KeepCounterAbove(newId);
    return 1;
}

int CIdentity::Destroy()
{
    if (!IsRegisteredType(id.type)) {
        id.type = RZTYPE_DESTROYED;
        return 1;
    }
    if (_pHashTable == nullptr || id == NOID || id.type == RZTYPE_DESTROYED)
        return 0;
    // Removing this very object, not whatever the key finds, keeps a stale copy or an object from an
    // earlier game from taking another object's entry with it.
    _pHashTable->Remove(this);
    ++_nLeaveCount;
    id.type = RZTYPE_DESTROYED;
    return 1;
}

int CIdentity::Update(CRZEvent*)
{
    return 0;
}

void CIdentity::KeepCounterAbove(const CRZID& taken)
{
    if (taken.type == CurrentID.type && CurrentID.type >= RZTYPE_DYNAMIC && taken.number > CurrentID.number)
        CurrentID.number = taken.number;
}

CRZID CIdentity::GetRandomID()
{
    CurrentID.number += 1;
    return CRZID(CurrentID.type, CurrentID.number);
}

void CIdentity::TotalInit(const CRZID& id, int slot)
{
    if (id == NOID) {
        if (_bIsInited == 1)
            TotalCleanup();
        CurrentID = CRZID(static_cast<uint16_t>(RZTYPE_DYNAMIC + slot), 0);
    }
    if (_pHashTable == nullptr) {
        ++_nLeaveCount;
        _pHashTable = new CIdentityIndex<CIdentity>();
        delete CRZDynamicObject::_pHashTable;
        CRZDynamicObject::_pHashTable = new CHashTable<DynamicID, CRZDynamicObject>(kIdentityBuckets);
        _bIsInited = 1;
    }
    if (CurrentID.type == id.type)
        CurrentID.number = id.number;
}

void CIdentity::TotalCleanup()
{
    delete _pHashTable;
    _pHashTable = nullptr;
    ++_nLeaveCount;
    delete CRZDynamicObject::_pHashTable;
    CRZDynamicObject::_pHashTable = nullptr;
    _bIsInited = 0;
    CurrentID = NOID;
}

void CIdentity::GetMaxID(CRZID* table, int count)
{
    if (table == nullptr || count <= 0)
        return;
    for (int i = 0; i < count; ++i)
        table[i] = CRZID(static_cast<uint16_t>(RZTYPE_DYNAMIC + i), 0);
    auto raise = [&](const CRZID& held) {
        uint32_t row = static_cast<uint32_t>(held.type) - table[0].type;
        if (held.type >= table[0].type && row < static_cast<uint32_t>(count)
            && held.number > table[row].number)
            table[row].number = held.number;
    };
    if (_pHashTable)
        _pHashTable->ForEach([&](CIdentity* object) { raise(object->GetID()); });
    if (CRZDynamicObject::_pHashTable)
        CRZDynamicObject::_pHashTable->ForEach([&](CRZDynamicObject* object) { raise(object->GetID()); });
}

CRZStaticObject::~CRZStaticObject()
{
    id = NOID;
}

int CRZStaticObject::Create(const StaticID& newId)
{
    id = newId;
    return 1;
}

int CRZStaticObject::Destroy()
{
    id = NOID;
    return 1;
}

int CRZStaticObject::Update(CRZEvent*)
{
    return 0;
}

CRZStaticObject* CRZStaticObject::GetObjectFromID(const StaticID& id)
{
    if (id.type == RZTYPE_SERVER)
        return gIdentityLookups.GetGameServer ? gIdentityLookups.GetGameServer() : nullptr;
    if (id.type == RZTYPE_COUNTRY) {
        // Realm numbers come from peers and files: one past the table names nothing, and says so.
        if (id.number >= kCountryTableSlots) {
            if (id.number != ALLCOUNTRIES.number)
                history("realm number %u outside 0..1422: event dropped\n", static_cast<unsigned>(id.number));
            return nullptr;
        }
        return gIdentityLookups.GetCountry ? gIdentityLookups.GetCountry(id.number) : nullptr;
    }
    return nullptr;
}

CRZDynamicObject::CRZDynamicObject(const DynamicID& newId)
{
    CRZDynamicObject::Create(newId);
}

CRZDynamicObject::~CRZDynamicObject()
{
    CRZDynamicObject::Destroy();
}

int CRZDynamicObject::Create()
{
    return Create(GetUniqueDynamicID());
}

int CRZDynamicObject::Create(const DynamicID& newId)
{
    if (!(id == NOID) && id.type != RZTYPE_DESTROYED)
        Destroy();
    Register(newId);
    return 1;
}

void CRZDynamicObject::Register(const DynamicID& newId)
{
    RequireRegistry(_pHashTable, newId);
    id = newId;
    _pHashTable->Add(this);
    CIdentity::KeepCounterAbove(newId);
}

int CRZDynamicObject::Destroy()
{
    if (_pHashTable == nullptr || id == NOID || id.type == RZTYPE_DESTROYED)
        return 0;
    // By object: two objects may share an identity here, and each must take only its own entry.
    _pHashTable->Remove(this);
    id = DynamicID();
    return 1;
}

int CRZDynamicObject::Update(CRZEvent*)
{
    return 0;
}

CRZDynamicObject* CRZDynamicObject::GetObjectFromID(const DynamicID& id)
{
    return _pHashTable ? _pHashTable->Find(id) : nullptr;
}

DynamicID CRZDynamicObject::GetUniqueDynamicID()
{
    return DynamicID(CIdentity::GetRandomID());
}
