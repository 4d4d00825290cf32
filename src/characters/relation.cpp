// Relations between characters and the registry that holds them.
#include "characters/relation.h"

#include "characters/character.h"

#include "foundation/safeguards.h"

CRelation::CRelation(CRelationType type, CCharacter* primary, CCharacter* secondary)
    : type(type)
    , primary(primary)
    , secondary(secondary)
{
    // The daily update reaches both characters through the relation, so each keeps it in his list
    // and lets go of it when he is destroyed.
    if (primary)
        primary->relations.Append(this);
    if (secondary && secondary != primary)
        secondary->relations.Append(this);
}

CRelation::~CRelation()
{
    if (primary)
        primary->relations.Remove(this);
    if (secondary && secondary != primary)
        secondary->relations.Remove(this);
}

void CRelation::Forget(const CCharacter* character)
{
    if (primary == character)
        primary = nullptr;
    if (secondary == character)
        secondary = nullptr;
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
