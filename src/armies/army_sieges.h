// What the provinces' sieges read of the armies standing in them.
#pragma once

class CDivision;
class CRZUnit;
struct CSiegeArmy;

// Puts these into the provinces' hooks (gProvinceHooks).
void InstallArmySiegeHooks();

bool DescribeSiegeArmy(const CRZUnit* army, CSiegeArmy& out);
bool DescribeSiegeCommand(const CDivision* division, CSiegeArmy& out);
