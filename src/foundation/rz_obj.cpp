// Named objects, the object list that offers events to its members, and the servers' name arrays.
#include "foundation/rz_obj.h"

#include "foundation/owned_text.h"

#include "foundation/safeguards.h"

CRZObj::CRZObj()
    : name(NewTextCopy(""))
{
}

CRZObj::CRZObj(const char* inName)
    : name(NewTextCopy(inName))
{
}

CRZObj::~CRZObj()
{
    delete[] name;
}

int CRZObj::Update(CRZEvent*)
{
    return 0;
}

int CRZObj::ParseFields(CRZParser&)
{
    return -2;
}

const char* CRZObj::SetName(const char* newName)
{
    // Copy before freeing: the new name may be this object's own.
    char* copy = NewTextCopy(newName);
    delete[] name;
    name = copy;
    return name;
}

CRZObjectList::~CRZObjectList()
{
    DeleteAll(*this);
}

void CRZObjectList::Delete(CRZObj* object)
{
    Remove(object);
    delete object;
}

CRZNameBase::CRZNameBase()
    : names(new char*[kInitialCapacity]())
{
}

CRZNameBase::~CRZNameBase()
{
    for (int32_t i = 0; i < count && i < capacity; ++i)
        delete[] names[i];
    delete[] names;
}
