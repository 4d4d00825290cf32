// Armies that change owner: an army going over to another realm, a dying vassal's armies handed to its top
// realm, and the armies settled after a change of war and peace. The wiring installs these in the war
// hooks of the realms.
#pragma once

#include "foundation/identity.h"

class CRZCountry;
class CRZUnit;

// What the armies need of the computer opponents above them; unset, armies are kept by no agent.
struct CArmyAIHooks {
    // The computer realm's king takes the army into its agent tree.
    void (*AssignArmy)(CRZCountry& realm, CRZUnit& army) = nullptr;
    // The agent the army names lets it go.
    void (*DetachArmy)(CRZUnit& army) = nullptr;
};
extern CArmyAIHooks gArmyAIHooks;

// Puts these into the realms' war hooks (gWarHooks).
void InstallArmyAllegianceHooks();

// The army leaves its owner's list and joins the realm's. A computer realm's king takes it; for any other
// realm the agent of the computer realm it left lets it go and it keeps no agent.
void HandArmyOver(CRZUnit& army, CRZCountry& to);
// The army of the identity goes over to the realm and stands again where it is, so the combat server
// sees it arrive. False, with nothing changed, for an army that is gone or may not be fought.
bool SwitchArmyAllegiance(CRZCountry* to, const DynamicID& id);
// Every army of one realm handed to another.
void MoveRealmArmies(CRZCountry* from, CRZCountry* to);
// After a change of war and peace: the realm's armies outside its reach are disbanded (their divisions and
// the army deleted on every machine, asked for by the host) and every other army out of battle is
// offered to the combat server on the host.
void SettleRealmArmies(CRZCountry* realm);
// The army leaves its province and any battle it fights; the battle's participants are rebuilt.
void WithdrawArmy(CRZUnit* army);
