// Relations between characters and the registry that holds them.
#include "characters/relation.h"

#include "characters/character.h"

#include "foundation/safeguards.h"

CRelation::CRelation(CRelationType type, CCharacter* primary, CCharacter* secondary)
    : type(type)
    , primary(primary)
    , secondary(secondary)
{
}

CCharacter* CRelation::GetPrimary() const
{
    return primary.Get();
}

CCharacter* CRelation::GetSecondary() const
{
    return secondary.Get();
}

CRelations::~CRelations()
{
    DeleteAll(*this);
}

CRelations* CRelations::GetInstance()
{
    static CRelations registry;
    return &registry;
}
