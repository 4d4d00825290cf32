// The army events whose behaviour goes beyond storing their arguments.
#include "events/records_army.h"

#include "foundation/safeguards.h"

CRZReturnType CRZBattleLostEvent::Process()
{
    KeepEventLocal(this);
    return CRZRecordEvent::Process();
}
