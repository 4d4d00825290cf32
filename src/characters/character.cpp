// What every character does whatever the character subsystem makes of him: leaving his relations when
// he is destroyed.
#include "characters/character.h"

#include "characters/relation.h"

#include "foundation/safeguards.h"

CCharacter::~CCharacter()
{
    relations.ForEach([this](CRelation* relation) { relation->Forget(this); });
    relations.RemoveAll();
}
