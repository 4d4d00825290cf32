// What characters need of the armies, the wars and the console once a game runs.
#include "world/character_life_hooks.h"

#include "characters/character.h"
#include "realms/country.h"
#include "realms/war.h"
#include "world/cheats.h"
#include "world/global.h"

#include "foundation/safeguards.h"

namespace {

// The war the two characters lead against each other, the last of the list; null without one.
CWar* WarBetween(const CCharacter* self, const CCharacter* other)
{
    CWar* found = nullptr;
    for (auto it = gGlobal.wars.GetHead(); !it.IsEnd(); it++) {
        const CWar* war = *it;
        if ((war->GetAttacker() == self && war->GetDefender() == other)
            || (war->GetAttacker() == other && war->GetDefender() == self))
            found = *it;
    }
    return found;
}

void SetPeace(CCharacter* self, CCharacter* other)
{
    if (CWar* war = WarBetween(self, other)) {
        gGlobal.wars.Remove(war);
        delete war;
        self->enemies.Remove(other);
        other->enemies.Remove(self);
    }
    CRZCountry* mine = self->GetCountry();
    CRZCountry* theirs = other->GetCountry();
    if (mine == nullptr || theirs == nullptr || !CRZCountry::IsRealCountry(mine->index)
        || !CRZCountry::IsRealCountry(theirs->index))
        return;
    mine->atWarWith[theirs->index] = 0;
    theirs->atWarWith[mine->index] = 0;
    gGlobal.RefreshWars();
}

} // namespace

void InstallCharacterLifeHooks()
{
    gCharacterHooks.IsDiploCheat = [] { return CRZCheats::_isDiploCheat != 0; };
    gCharacterHooks.SetPeace = SetPeace;
}
