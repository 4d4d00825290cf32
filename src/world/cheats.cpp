// The console's cheat switches.
#include "world/cheats.h"

#include "foundation/safeguards.h"

int32_t CRZCheats::_isFantasy = 0;
int32_t CRZCheats::_isParanoia = 0;
