// The console's cheat switches.
#include "world/cheats.h"

#include "foundation/safeguards.h"

int32_t CRZCheats::_isFantasy = 0;
int32_t CRZCheats::_isParanoia = 0;
int32_t CRZCheats::_isEveryDayEventCheck = 0;
int32_t CRZCheats::_isTotalControl = 0;
int32_t CRZCheats::_isShowID = 0;
int32_t CRZCheats::_isHandsOff = 0;
int32_t CRZCheats::_isNoFOW = 0;
int32_t CRZCheats::_isDiploCheat = 0;
int32_t CRZCheats::_isNoRevolts = 0;
int32_t CRZCheats::_isNoWar = 0;
int32_t CRZCheats::_isNoLimits = 0;
