// Who heads the church: the papal state, its ruler the pope, and the lay ruler who controls the papacy.
#include "characters/papacy.h"

#include "characters/character.h"

#include "foundation/safeguards.h"

CRZCountry* CPapacy::GetPapalState()
{
    return gCharacterHooks.GetCountry != nullptr ? gCharacterHooks.GetCountry(kPapalStateCountry) : nullptr;
}

CCharacter* CPapacy::GetPope()
{
    const CRZCountry* state = GetPapalState();
    return state != nullptr && gCharacterHooks.GetRuler != nullptr ? gCharacterHooks.GetRuler(state) : nullptr;
}

CCharacter* CPapacy::GetPapalController() const
{
    if (controller == NOID)
        return nullptr;
    return dynamic_cast<CCharacter*>(CIdentity::GetObjectFromID(controller));
}
