// The army events whose behaviour goes beyond storing their arguments.
#include "events/records_army.h"

#include <cstddef>

#include "foundation/safeguards.h"

CRZBattleLostEvent::CRZBattleLostEvent(
    CRZEvtType type, const CRZID& receiver, int number, unsigned short flag)
    : CRZBattleWonEvent(type, receiver, DynamicID(), number, CRZCountryList())
{
    Store<uint16_t>(offsetof(CRZBattleLostEventData, flag), flag);
}
